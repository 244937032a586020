// node borders.mjs EUROPEDIR: paints the countries of 1939 (borders_1939.txt) over the
// rasterised modern borders and writes countries_1939.txt, one two-letter code a hex
// ("..": sea). Run again after editing borders_1939.txt.
import { readFileSync, writeFileSync } from 'fs';
import { hexLonLat, lonLatToHex, GRID, inRing } from './projection.mjs';

const dir = process.argv[2] || '../europe';
const header = readFileSync(`${dir}/grid.txt`, 'utf8').match(/width (\d+) height (\d+) column_km (\S+) west (\S+) north (\S+)/);
Object.assign(GRID, { width: +header[1], height: +header[2], columnKm: +header[3], rowKm: +header[3] * 98 / 83,
                      west: +header[4], north: +header[5] });

const modern = readFileSync(`${dir}/modern_countries.csv`, 'utf8').trimEnd().split('\n').map(r => r.split(';'));
const map = new Map();
const regions = [];
const points = [];
readFileSync(`${dir}/borders_1939.txt`, 'utf8').split('\n').forEach((line, i) => {
  line = line.trim();
  if (!line || line.startsWith('#')) return;
  let m;
  if ((m = line.match(/^map (.+?) = ([A-Z]{2})$/))) map.set(m[1], m[2]);
  else if ((m = line.match(/^point ([A-Z]{2}): (-?[0-9.]+),(-?[0-9.]+)$/)))
    points.push({ code: m[1], hex: lonLatToHex(+m[2], +m[3]) });
  else if ((m = line.match(/^region ([A-Z]{2}): (.+)$/)))
    regions.push({ code: m[1], ring: m[2].trim().split(/\s+/).map(p => p.split(',').map(Number)) });
  else throw new Error(`borders_1939.txt:${i + 1}: cannot read "${line}"`);
});


const unknown = new Set();
const rows = [];
for (let y = 0; y < GRID.height; ++y) {
  let row = '';
  for (let x = 0; x < GRID.width; ++x) {
    const name = modern[y][x];
    if (!name) { row += '..'; continue; }
    let code = map.get(name);
    if (!code) { unknown.add(name); code = '??'; }
    const [lon, lat] = hexLonLat(x, y);
    for (const r of regions) if (inRing(r.ring, lon, lat)) code = r.code;
    for (const p of points) if (p.hex && p.hex[0] === x && p.hex[1] === y) code = p.code;
    row += code;
  }
  rows.push(row);
}
if (unknown.size) console.log(`land of no country of 1939: ${[...unknown].join(', ')}`);
writeFileSync(`${dir}/countries_1939.txt`, rows.join('\n') + '\n');
