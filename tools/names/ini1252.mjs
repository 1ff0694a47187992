// Windows-1252 encoding and the game's INI layout, shared by extract.mjs and
// check.mjs. Node has no Windows-1252 codec, so the 0x80-0x9F block is
// mapped by hand; every other byte is the Latin-1 code point.

const HIGH = {
  0x80: 0x20ac, 0x82: 0x201a, 0x83: 0x0192, 0x84: 0x201e, 0x85: 0x2026, 0x86: 0x2020,
  0x87: 0x2021, 0x88: 0x02c6, 0x89: 0x2030, 0x8a: 0x0160, 0x8b: 0x2039, 0x8c: 0x0152,
  0x8e: 0x017d, 0x91: 0x2018, 0x92: 0x2019, 0x93: 0x201c, 0x94: 0x201d, 0x95: 0x2022,
  0x96: 0x2013, 0x97: 0x2014, 0x98: 0x02dc, 0x99: 0x2122, 0x9a: 0x0161, 0x9b: 0x203a,
  0x9c: 0x0153, 0x9e: 0x017e, 0x9f: 0x0178,
};
const TO_BYTE = new Map(Object.entries(HIGH).map(([b, cp]) => [cp, Number(b)]));

/**
 * The letters a name may use: those of Windows-1252 that the game's small font (the font every
 * name is drawn with) has a glyph for. Of the Windows-1252 letters it lacks Å å Ð ð Þ þ ÿ Œ œ Ÿ.
 */
export const NAME_LETTER = /^[A-Za-zÀ-ÄÆ-ÏÑ-ÖØ-ÝßŠšŽžà-äæ-ïñ-öø-ý]$/u;
/** A whole name: such letters, with single spaces, hyphens and apostrophes between them. */
export const NAME = /^[A-Za-zÀ-ÄÆ-ÏÑ-ÖØ-ÝßŠšŽžà-äæ-ïñ-öø-ý]+(?:[ '-][A-Za-zÀ-ÄÆ-ÏÑ-ÖØ-ÝßŠšŽžà-äæ-ïñ-öø-ý]+)*$/u;

/** Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252. */
export const UNDEFINED_1252 = [0x81, 0x8d, 0x8f, 0x90, 0x9d];

export function encode1252(text) {
  const bytes = [];
  for (const ch of text) {
    const cp = ch.codePointAt(0);
    if (TO_BYTE.has(cp)) bytes.push(TO_BYTE.get(cp));
    else if (cp < 0x80 || (cp >= 0xa0 && cp <= 0xff)) bytes.push(cp);
    else throw new Error(`U+${cp.toString(16).toUpperCase().padStart(4, '0')} ("${ch}") is not in Windows-1252`);
  }
  return Buffer.from(bytes);
}

export function decode1252(buf) {
  let s = '';
  for (const b of buf) {
    if (b >= 0x80 && b <= 0x9f) {
      if (!(b in HIGH)) throw new Error(`byte 0x${b.toString(16)} is undefined in Windows-1252`);
      s += String.fromCodePoint(HIGH[b]);
    } else {
      s += String.fromCharCode(b);
    }
  }
  return s;
}

/**
 * Lays out sections [1], [2], ... each with its Key=Value lines, CR LF line
 * ends (the last line too), no blank lines.
 * sections: [[[key, value], ...], ...]
 */
export function iniText(sections) {
  const lines = [];
  sections.forEach((pairs, i) => {
    lines.push(`[${i + 1}]`);
    for (const [k, v] of pairs) lines.push(`${k}=${v}`);
  });
  return lines.map((l) => `${l}\r\n`).join('');
}
