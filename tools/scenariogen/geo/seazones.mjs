// node seazones.mjs EUROPEDIR: gives every sea hex of land.txt a zone of
// sea_zones_1939.txt and writes seazones.txt (two letters a hex, ".." on land) and
// sea_zone_links.txt (the zones that touch, and the hexes where they touch).
import { readFileSync, writeFileSync } from 'fs';
import { hexLonLat, GRID, inRing } from './projection.mjs';

const dir = process.argv[2] || '../europe';
const header = readFileSync(`${dir}/grid.txt`, 'utf8').match(/width (\d+) height (\d+) column_km (\S+) west (\S+) north (\S+)/);
Object.assign(GRID, { width: +header[1], height: +header[2], columnKm: +header[3], rowKm: +header[3] * 98 / 83,
                      west: +header[4], north: +header[5] });
const W = GRID.width, H = GRID.height;
const land = readFileSync(`${dir}/land.txt`, 'utf8').trimEnd().split('\n');
const isSea = (x, y) => x >= 0 && y >= 0 && x < W && y < H && land[y][x] !== '#';

function neighbours(x, y) {
  const odd = x % 2 !== 0;
  return odd ? [[x, y - 1], [x + 1, y - 1], [x + 1, y], [x, y + 1], [x - 1, y], [x - 1, y - 1]]
             : [[x, y - 1], [x + 1, y], [x + 1, y + 1], [x, y + 1], [x - 1, y + 1], [x - 1, y]];
}

const zones = [];
readFileSync(`${dir}/sea_zones_1939.txt`, 'utf8').split('\n').forEach((line, i) => {
  line = line.trim();
  if (!line || line.startsWith('#') || line.startsWith('strait')) return;
  const m = line.match(/^([A-Z]{2}) ([^:]+): (.+)$/);
  if (!m) throw new Error(`sea_zones_1939.txt:${i + 1}: cannot read "${line}"`);
  zones.push({ code: m[1], name: m[2], ring: m[3].trim().split(/\s+/).map(p => p.split(',').map(Number)) });
});

const zone = Array.from({ length: H }, () => Array(W).fill(null));
const queue = [];
for (let y = 0; y < H; ++y)
  for (let x = 0; x < W; ++x) {
    if (!isSea(x, y)) continue;
    const [lon, lat] = hexLonLat(x, y);
    const z = zones.find(z => inRing(z.ring, lon, lat));
    if (z) { zone[y][x] = z.code; queue.push([x, y]); }
  }
// The rest of the sea joins the zone it is nearest to through the sea.
for (let i = 0; i < queue.length; ++i) {
  const [x, y] = queue[i];
  for (const [nx, ny] of neighbours(x, y))
    if (isSea(nx, ny) && !zone[ny][nx]) { zone[ny][nx] = zone[y][x]; queue.push([nx, ny]); }
}
const rows = [];
let lakes = 0;
for (let y = 0; y < H; ++y) {
  let row = '';
  for (let x = 0; x < W; ++x) {
    if (!isSea(x, y)) row += '..';
    else if (!zone[y][x]) { row += 'LK'; ++lakes; } // lakes: sea that no fleet reaches
    else row += zone[y][x];
  }
  rows.push(row);
}
writeFileSync(`${dir}/seazones.txt`, rows.join('\n') + '\n');

const links = new Map();
for (let y = 0; y < H; ++y)
  for (let x = 0; x < W; ++x) {
    if (!zone[y][x]) continue;
    for (const [nx, ny] of neighbours(x, y)) {
      if (!isSea(nx, ny) || !zone[ny][nx] || zone[ny][nx] === zone[y][x]) continue;
      const k = [zone[y][x], zone[ny][nx]].sort().join(' ');
      links.set(k, (links.get(k) || 0) + 1);
    }
  }
const out = [...links].sort().map(([k, n]) => `${k} ${n / 2}`);
writeFileSync(`${dir}/sea_zone_links.txt`, '# zone zone shared-hex-sides\n' + out.join('\n') + '\n');
console.log(`${zones.length} zones, ${links.size} links, ${lakes} sea hexes in no zone`);
console.log(out.join('; '));
