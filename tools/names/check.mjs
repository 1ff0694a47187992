// Checks the hand-made world data in data/: the 17 name lists and
// nation.ini. Run from anywhere: node tools/names/check.mjs [data-dir]
// Exits non-zero and lists every problem if anything is off.

import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { NAME, UNDEFINED_1252, decode1252 } from './ini1252.mjs';
import { spanishAccentOk } from './spellings.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const dataDir = path.resolve(process.argv[2] ?? path.join(here, '..', '..', 'data'));
const problems = [];
const fail = (file, msg) => problems.push(`${file}: ${msg}`);

const NAME_FILES = {
  'chinese-name.ini': 19,
  'east-name.ini': 62,
  'east-surname.ini': 87,
  'english-name.ini': 19,
  'english-surname.ini': 3589,
  'french-name.ini': 19,
  'french-surname.ini': 509,
  'german-name.ini': 19,
  'german-surname.ini': 462,
  'holland-name.ini': 42,
  'holland-surname.ini': 59,
  'italian-name.ini': 169,
  'italian-surname.ini': 249,
  'japanese-name.ini': 19,
  'japanese-surname.ini': 29,
  'spanish-name.ini': 19,
  'spanish-surname.ini': 637,
};

/** Reads a data file and returns its sections as [[key, value], ...] lists. */
function readIni(file, keys) {
  const buf = fs.readFileSync(path.join(dataDir, file));
  if (buf.length >= 3 && buf[0] === 0xef && buf[1] === 0xbb && buf[2] === 0xbf) fail(file, 'starts with a BOM');
  for (let i = 0; i < buf.length; i++) {
    if (UNDEFINED_1252.includes(buf[i])) fail(file, `byte 0x${buf[i].toString(16)} at ${i} is undefined in Windows-1252`);
    if (buf[i] === 0x0a && (i === 0 || buf[i - 1] !== 0x0d)) fail(file, `bare LF at byte ${i}`);
    if (buf[i] === 0x0d && buf[i + 1] !== 0x0a) fail(file, `bare CR at byte ${i}`);
    if (buf[i] < 0x20 && buf[i] !== 0x0d && buf[i] !== 0x0a) fail(file, `control byte 0x${buf[i].toString(16)} at ${i}`);
  }
  if (buf.length < 2 || buf[buf.length - 2] !== 0x0d || buf[buf.length - 1] !== 0x0a) fail(file, 'last line does not end with CR LF');
  let text;
  try { text = decode1252(buf); } catch (e) { fail(file, e.message); return []; }
  const lines = text.split('\r\n');
  lines.pop();
  const sections = [];
  let cur = null;
  lines.forEach((line, i) => {
    const where = `line ${i + 1}`;
    if (line === '') { fail(file, `${where}: blank line`); return; }
    const head = /^\[(\d+)\]$/.exec(line);
    if (head) {
      const n = Number(head[1]);
      if (String(n) !== head[1] || n !== sections.length + 1) fail(file, `${where}: section [${head[1]}] where [${sections.length + 1}] was due`);
      cur = [];
      sections.push(cur);
      return;
    }
    const kv = /^([A-Za-z][A-Za-z0-9]*)=(.*)$/.exec(line);
    if (!kv) { fail(file, `${where}: not a Key=Value line: ${JSON.stringify(line)}`); return; }
    if (!cur) { fail(file, `${where}: key before the first section`); return; }
    cur.push([kv[1], kv[2]]);
  });
  sections.forEach((sec, i) => {
    const got = sec.map(([k]) => k).join(',');
    if (got !== keys.join(',')) fail(file, `[${i + 1}] has keys ${got || '(none)'}, expected ${keys.join(',')}`);
  });
  return sections;
}


let firstTotal = 0;
let lastTotal = 0;
for (const [file, count] of Object.entries(NAME_FILES)) {
  const sections = readIni(file, ['N']);
  if (sections.length !== count) fail(file, `${sections.length} sections, expected ${count}`);
  if (file.includes('surname')) lastTotal += sections.length; else firstTotal += sections.length;
  const seen = new Map();
  sections.forEach((sec, i) => {
    const v = sec[0]?.[1] ?? '';
    if (v.length < 1 || v.length > 20) fail(file, `[${i + 1}] "${v}" is ${v.length} characters long`);
    if (v !== v.trim()) fail(file, `[${i + 1}] "${v}" has leading or trailing spaces`);
    if (/[[\]=]/.test(v)) fail(file, `[${i + 1}] "${v}" contains [, ] or =`);
    if (!NAME.test(v)) fail(file, `[${i + 1}] "${v}" is not a plain name in letters the small font draws`);
    if (file === 'chinese-name.ini' && !/^\S+ \S+$/.test(v)) fail(file, `[${i + 1}] "${v}" is not a family name plus a given name`);
    if (file.startsWith('spanish-') && !spanishAccentOk(v)) fail(file, `[${i + 1}] "${v}" has an accent Spanish does not write there`);
    const k = v.toLowerCase();
    if (seen.has(k)) fail(file, `[${i + 1}] "${v}" repeats [${seen.get(k)}]`);
    else seen.set(k, i + 1);
  });
}
if (firstTotal !== 387) fail('name files', `${firstTotal} first names in all, expected 387`);
if (lastTotal !== 5621) fail('name files', `${lastTotal} surnames in all, expected 5621`);

// ---------------------------------------------------------------------------
// nation.ini
// ---------------------------------------------------------------------------

// Name group of each nation number (the names its boxers get).
const GROUP_OF_NUMBER = {};
const GROUPS = {
  chinese: [9],
  east: [6, 12, 14, 22, 26, 32, 42, 44, 45, 47, 55],
  english: [2, 8, 15, 16, 17, 18, 19, 24, 27, 28, 30, 35, 36, 37, 38, 39, 46, 49, 50, 52, 54, 56, 59, 60],
  french: [4, 7, 20, 23, 34, 40, 53],
  german: [3, 21, 51],
  dutch: [25],
  italian: [29],
  japanese: [31],
  spanish: [1, 5, 10, 11, 13, 33, 41, 43, 48, 57, 58],
};
for (const [g, nums] of Object.entries(GROUPS)) for (const n of nums) GROUP_OF_NUMBER[n] = g;
// Numbers with the second portrait set (Black boxers).
const BLACK_NUMBERS = [8, 15, 23, 30, 36, 60];

// Which name group fits a nation's boxers, and whether its boxers are
// predominantly Black. Only nations listed here may appear in nation.ini.
const NATIONS = {
  Argentina: ['spanish'], Bolivia: ['spanish'], Colombia: ['spanish'], Nicaragua: ['spanish'], Cuba: ['spanish'],
  Mexico: ['spanish'], Panama: ['spanish'], 'Puerto Rico': ['spanish'], Spain: ['spanish'], Uruguay: ['spanish'],
  Venezuela: ['spanish'], 'Costa Rica': ['spanish'], 'Dominican Republic': ['spanish'], Chile: ['spanish'], Peru: ['spanish'],
  Bulgaria: ['east'], Croatia: ['east'], 'Czech Republic': ['east'], Georgia: ['east'], Hungary: ['east'],
  Kazakhstan: ['east'], Poland: ['east'], Romania: ['east'], Russia: ['east'], Serbia: ['east'], Ukraine: ['east'],
  Australia: ['english'], Cameroon: ['english', 'french', 'black'], Dominica: ['english', 'black'], England: ['english'],
  Eswatini: ['english', 'black'], Fiji: ['english'], Ghana: ['english', 'black'], Guyana: ['english', 'black'],
  Ireland: ['english'], 'Isle of Man': ['english'], Jamaica: ['english', 'black'], Philippines: ['english'],
  Namibia: ['english', 'black'], 'New Zealand': ['english'], Nigeria: ['english', 'black'], 'Northern Ireland': ['english'],
  Scotland: ['english'], 'South Africa': ['english'], 'St Lucia': ['english', 'black'], Tanzania: ['english', 'black'],
  Uganda: ['english', 'black'], 'United States': ['english'], Wales: ['english'], Zambia: ['english', 'black'],
  Canada: ['english', 'french'],
  Belgium: ['french'], 'Burkina Faso': ['french', 'black'], France: ['french'], Guinea: ['french', 'black'],
  Monaco: ['french'], Togo: ['french', 'black'], Haiti: ['french', 'black'], 'Ivory Coast': ['french', 'black'],
  Senegal: ['french', 'black'],
  Austria: ['german'], Germany: ['german'], Switzerland: ['german'],
  Holland: ['dutch'], Netherlands: ['dutch'],
  Italy: ['italian'], Japan: ['japanese'], China: ['chinese'],
};
const PINNED = { 9: 'China', 29: 'Italy', 31: 'Japan' };

{
  const file = 'nation.ini';
  const sections = readIni(file, ['Long', 'Short', 'Data1', 'Data2']);
  if (sections.length !== 60) fail(file, `${sections.length} sections, expected 60`);
  const longs = new Set();
  const shorts = new Set();
  let light = 0;
  let heavy = 0;
  const rows = sections.map((sec) => Object.fromEntries(sec));
  rows.forEach((r, i) => {
    const n = i + 1;
    const at = `[${n}] ${r.Long}`;
    if (!r.Long || r.Long.length > 20 || r.Long !== r.Long.trim()) fail(file, `${at}: Long must be 1..20 characters without outer spaces`);
    if (!/^[A-Z]{3}$/.test(r.Short ?? '')) fail(file, `${at}: Short "${r.Short}" is not 3 capital letters`);
    if (longs.has(r.Long)) fail(file, `${at}: Long repeats`);
    if (shorts.has(r.Short)) fail(file, `${at}: Short ${r.Short} repeats`);
    longs.add(r.Long);
    shorts.add(r.Short);
    for (const k of ['Data1', 'Data2']) {
      if (!/^(?:[0-9]|10)$/.test(r[k] ?? '')) fail(file, `${at}: ${k} "${r[k]}" is not an integer 0..10`);
    }
    if (Number(r.Data1) === 0 && Number(r.Data2) === 0) fail(file, `${at}: both Data1 and Data2 are 0`);
    if (Number(r.Data1) > 0) light++;
    if (Number(r.Data2) > 0) heavy++;
    const info = NATIONS[r.Long];
    if (!info) { fail(file, `${at}: not a known nation for the name groups`); return; }
    const group = GROUP_OF_NUMBER[n];
    if (!info.includes(group)) fail(file, `${at}: its boxers do not carry ${group} names`);
    if (BLACK_NUMBERS.includes(n) && !info.includes('black')) fail(file, `${at}: number ${n} shows Black boxers`);
    if (PINNED[n] && r.Long !== PINNED[n]) fail(file, `${at}: number ${n} must be ${PINNED[n]}`);
    if (n === 25 && !['Holland', 'Netherlands'].includes(r.Long)) fail(file, `${at}: number 25 must be the Netherlands`);
  });
  if (light < 40) fail(file, `only ${light} nations with Data1 > 0`);
  if (heavy < 40) fail(file, `only ${heavy} nations with Data2 > 0`);
  for (const g of ['Austria', 'Germany', 'Switzerland', 'France', 'Belgium']) {
    if (!longs.has(g)) fail(file, `${g} is missing`);
  }

  // Alphabetical order: the entries outside the longest ordered run.
  const names = rows.map((r) => (r.Long ?? '').toLowerCase());
  const best = names.map(() => 1);
  const prev = names.map(() => -1);
  for (let i = 0; i < names.length; i++) {
    for (let j = 0; j < i; j++) {
      if (names[j] < names[i] && best[j] + 1 > best[i]) { best[i] = best[j] + 1; prev[i] = j; }
    }
  }
  let end = best.indexOf(Math.max(...best));
  const inOrder = new Set();
  while (end >= 0) { inOrder.add(end); end = prev[end]; }
  const out = rows.map((r, i) => (inOrder.has(i) ? null : `${i + 1} ${r.Long}`)).filter(Boolean);
  console.log(`nation.ini: ${60 - out.length} of ${rows.length} in alphabetical order; out of order: ${out.join(', ') || 'none'}`);
}

if (problems.length) {
  for (const p of problems) console.error(p);
  console.error(`${problems.length} problem(s)`);
  process.exit(1);
}
console.log(`data/ ok: ${Object.keys(NAME_FILES).length} name files (${firstTotal} first names, ${lastTotal} surnames) and nation.ini`);
