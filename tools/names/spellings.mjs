// Spellings that the name packages get wrong, for extract.mjs: the accents
// that Spanish writes, tables of accented spellings for names that every
// source gives without their accents, and the sources' slips.

// ---------------------------------------------------------------------------
// Spanish written accents
// ---------------------------------------------------------------------------

const STRONG = 'aeoáéó';
const WEAK = 'iuü';
const STRESSED_WEAK = 'íú';
const ACUTE = 'áéíóú';

/**
 * Whether the acute accent of a Spanish name (if it has one) stands where
 * Spanish writes it. Spanish stresses a word ending in a vowel, n or s on
 * its second-last syllable and any other word on its last, and writes an
 * accent only where the stress falls elsewhere: on the last syllable of a
 * word ending in a vowel, n or s (Cortés, Beltrán), on the second-last of
 * one ending in another consonant (Pérez, Gómez), or further back (Ávila,
 * Cárdenas, Álvarez; family names stressed there end in a vowel, n, s or
 * z, so an accent there on "Águilar" or "Bétancourt" is a slip). An i or u
 * next to a, e or o is also written with its accent when it is a syllable
 * of its own (Díaz, García, Ríos). One syllable takes no accent (Ruiz:
 * "ui" is one syllable), and no word has two.
 */
export function spanishAccentOk(name) {
  const w = name.toLowerCase();
  const letters = [...w];
  const acuteAt = letters.flatMap((c, i) => (ACUTE.includes(c) ? [i] : []));
  if (acuteAt.length === 0) return true;
  if (acuteAt.length > 1) return false;
  const at = acuteAt[0];
  const isVowel = (c, i) => {
    if (STRONG.includes(c) || STRESSED_WEAK.includes(c) || c === 'ü') return true;
    if (c === 'i') return true;
    // The u of "que", "qui", "gue", "gui" is not sounded.
    if (c === 'u') return !(i > 0 && 'qg'.includes(letters[i - 1]) && 'eiéí'.includes(letters[i + 1] ?? ''));
    // A final y after a vowel closes its syllable (Godoy, Monroy).
    if (c === 'y') return i === letters.length - 1 && i > 0 && isVowel(letters[i - 1], i - 1);
    return false;
  };
  const vowel = letters.map((c, i) => isVowel(c, i));
  // A stressed i or u next to a strong vowel: a syllable of its own.
  if (STRESSED_WEAK.includes(letters[at])
      && ((vowel[at - 1] && STRONG.includes(letters[at - 1])) || (vowel[at + 1] && STRONG.includes(letters[at + 1])))) {
    return true;
  }
  // Syllable nuclei: runs of vowels, split between two strong vowels and
  // beside a stressed i or u.
  const nucleus = [];
  let count = 0;
  letters.forEach((c, i) => {
    if (!vowel[i]) return;
    const p = letters[i - 1];
    const joins = i > 0 && vowel[i - 1]
      && !(STRONG.includes(p) && STRONG.includes(c))
      && !STRESSED_WEAK.includes(p) && !STRESSED_WEAK.includes(c);
    if (!joins) count += 1;
    nucleus[i] = count;
  });
  if (count < 2) return false;
  const fromEnd = count - nucleus[at] + 1;  // 1 = last syllable
  const last = letters[letters.length - 1];
  const vowelNS = 'aeiouáéíóú'.includes(last) || last === 'n' || last === 's';
  if (fromEnd === 1) return vowelNS;
  if (fromEnd === 2) return !vowelNS;
  return vowelNS || last === 'z';
}

// ---------------------------------------------------------------------------
// Accent tables
// ---------------------------------------------------------------------------
// Names that every source of a list writes without the accents their
// language gives them: the frequency lists come from records kept in plain
// capitals (French, Spanish) and the US-derived lists drop accents and
// umlauts. Each entry is the usual spelling in the language's own country;
// a name that is common there both with and without the accent (Masse and
// Massé, Evrard and Évrard, Tamez) keeps the sources' spelling. The entries
// only change a name the list has already chosen, never which names it has.
// An entry is the spelling itself, or [the sources' spelling, the spelling]
// where the sources write a letter out (Koester for Köster).
export const ACCENT_TABLES = {
  // Spanish family names, most from the frequency list and the Mexican and
  // Spanish lists of faker without their accents: written by the stress
  // rules above, as in Spain and Latin America (Ibáñez, Zárate, Lomelí).
  spanish: [
    'Ábrego', 'Alanís', 'Andrés', 'Arévalo', 'Cázares', 'Cuéllar', 'Díez', 'Giménez', 'Gurulé',
    'Ibáñez', 'Lomelí', 'Luévano', 'Malavé', 'Montáñez', 'Pagán', 'Román', 'Sáez',
    'Saldívar', 'Solórzano', 'Zárate',
  ],
  // French family names from the French frequency list and casual's French
  // list, which write them in plain capitals' letters, and three Senegalese
  // names as they are written in French (Cissé, Souaré, Dembélé).
  french: [
    'Chrétien', 'Cissé', 'Dembélé', 'Grégoire', 'Guéguen', 'Hébert', 'Labbé', 'Lainé', 'Lelièvre',
    'Macé', 'Mahé', 'Pagès', 'Péron', 'Prévot', 'Régnier', 'Rémy', 'Salaün', 'Souaré', 'Vallée',
  ],
  // German family names that faker's German list has in their American
  // spelling: the umlaut dropped (Farber) or written out (Koester).
  german: ['Färber', ['Koester', 'Köster']],
};

// ---------------------------------------------------------------------------
// Slips
// ---------------------------------------------------------------------------
// Misspellings in the sources, left out of the lists: each is a name the
// list already has, written wrongly.
export const SLIP_TABLES = {
  // faker's Mexican list: typing slips of García, Domínguez, Jiménez,
  // Hernández and Rodríguez, and the Portuguese spellings of Sánchez,
  // Hernández and Pérez.
  spanish: ['Garica', 'Domínquez', 'Jimínez', 'Hernádez', 'Rodrígez', 'Rodríquez', 'Sanches', 'Hernandes', 'Peres'],
};
