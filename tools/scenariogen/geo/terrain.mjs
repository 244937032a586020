// node terrain.mjs EUROPEDIR: paints terrain_1939.txt over the land of land.txt into
// terrain.txt (one letter a hex: . sea, p plain, f forest, r rough, s swamp, h hill,
// m mountain, d desert) and runs the rivers of rivers_1939.txt along hex sides into
// rivers.txt ("x y mask": bit k set when a river runs along side k of the hex).
import { readFileSync, writeFileSync } from 'fs';
import { hexLonLat, project, GRID, inRing } from './projection.mjs';

const dir = process.argv[2] || '../europe';
const header = readFileSync(`${dir}/grid.txt`, 'utf8').match(/width (\d+) height (\d+) column_km (\S+) west (\S+) north (\S+)/);
Object.assign(GRID, { width: +header[1], height: +header[2], columnKm: +header[3], rowKm: +header[3] * 98 / 83,
                      west: +header[4], north: +header[5] });
const W = GRID.width, H = GRID.height;
const land = readFileSync(`${dir}/land.txt`, 'utf8').trimEnd().split('\n');
const isLand = (x, y) => x >= 0 && y >= 0 && x < W && y < H && land[y][x] === '#';

function points(text) { return text.trim().split(/\s+/).map(p => p.split(',').map(Number)); }

// Terrain
const LETTER = { plain: 'p', forest: 'f', rough: 'r', swamp: 's', hill: 'h', mountain: 'm', desert: 'd' };
const areas = [];
readFileSync(`${dir}/terrain_1939.txt`, 'utf8').split('\n').forEach((line, i) => {
  line = line.trim();
  if (!line || line.startsWith('#')) return;
  const m = line.match(/^(\w+): (.+)$/);
  if (!m || !LETTER[m[1]]) throw new Error(`terrain_1939.txt:${i + 1}: cannot read "${line}"`);
  areas.push({ letter: LETTER[m[1]], ring: points(m[2]) });
});
const terrain = [];
for (let y = 0; y < H; ++y) {
  let row = '';
  for (let x = 0; x < W; ++x) {
    if (!isLand(x, y)) { row += '.'; continue; }
    const [lon, lat] = hexLonLat(x, y);
    let t = 'p';
    for (const a of areas) if (inRing(a.ring, lon, lat)) t = a.letter;
    row += t;
  }
  terrain.push(row);
}
writeFileSync(`${dir}/terrain.txt`, terrain.join('\n') + '\n');

// Rivers run along hex sides. Corners of the hexes form a lattice in which the centre
// of hex (x, y) is (3x, 2y + 1 for an even column); its corners lie at (+-2, 0) and
// (+-1, +-1) from the centre.
const CORNERS = [[-1, -1], [1, -1], [2, 0], [1, 1], [-1, 1], [-2, 0]]; // side k runs from corner k-1... see SIDE
// Side k of a hex joins these two corners (indices into CORNERS).
const SIDE = [[0, 1], [1, 2], [2, 3], [3, 4], [4, 5], [5, 0]];
const key = (a, b) => `${a},${b}`;
const edges = new Map(); // "cornerA|cornerB" -> [{x, y, side}]
const neighbours = new Map(); // corner -> set of corners
function centre(x, y) { return [3 * x, 2 * y + (x % 2 === 0 ? 1 : 0)]; }
for (let x = -1; x <= W; ++x)
  for (let y = -1; y <= H; ++y) {
    const [cx, cy] = centre(x, y);
    SIDE.forEach(([i, j], side) => {
      const a = key(cx + CORNERS[i][0], cy + CORNERS[i][1]), b = key(cx + CORNERS[j][0], cy + CORNERS[j][1]);
      const e = a < b ? `${a}|${b}` : `${b}|${a}`;
      if (!edges.has(e)) edges.set(e, []);
      edges.get(e).push({ x, y, side });
      if (!neighbours.has(a)) neighbours.set(a, new Set());
      if (!neighbours.has(b)) neighbours.set(b, new Set());
      neighbours.get(a).add(b); neighbours.get(b).add(a);
    });
  }

function lattice(lon, lat) {
  const [px, py] = project(lon, lat);
  const X = 3 * ((px - GRID.west) / GRID.columnKm - 0.5);
  const Y = 2 * ((GRID.north - py) / GRID.rowKm - 0.5);
  return [X, Y];
}
function nearestCorner([X, Y]) {
  let best = null, bestD = Infinity;
  for (let cx = Math.floor(X) - 3; cx <= Math.ceil(X) + 3; ++cx)
    for (let cy = Math.floor(Y) - 3; cy <= Math.ceil(Y) + 3; ++cy) {
      const k = key(cx, cy);
      if (!neighbours.has(k)) continue;
      const d = (cx - X) ** 2 + ((cy - Y) * 1.7) ** 2;
      if (d < bestD) { bestD = d; best = k; }
    }
  return best;
}
// Shortest walk along hex sides between two corners (breadth first; the steps are short).
function walk(from, to) {
  const prev = new Map([[from, null]]);
  const queue = [from];
  for (let i = 0; i < queue.length && !prev.has(to); ++i)
    for (const n of neighbours.get(queue[i]))
      if (!prev.has(n)) { prev.set(n, queue[i]); queue.push(n); }
  const path = [];
  for (let c = to; c !== null && c !== undefined; c = prev.get(c)) path.unshift(c);
  return path;
}

const masks = new Map();
const riverNames = [];
readFileSync(`${dir}/rivers_1939.txt`, 'utf8').split('\n').forEach((line, i) => {
  line = line.trim();
  if (!line || line.startsWith('#')) return;
  const m = line.match(/^(\w+): (.+)$/);
  if (!m) throw new Error(`rivers_1939.txt:${i + 1}: cannot read "${line}"`);
  riverNames.push(m[1]);
  const corners = points(m[2]).map(([lon, lat]) => nearestCorner(lattice(lon, lat))).filter(c => c);
  for (let k = 1; k < corners.length; ++k) {
    const path = walk(corners[k - 1], corners[k]);
    for (let s = 1; s < path.length; ++s) {
      const a = path[s - 1], b = path[s];
      for (const { x, y, side } of edges.get(a < b ? `${a}|${b}` : `${b}|${a}`) || []) {
        if (!isLand(x, y)) continue;
        masks.set(key(x, y), (masks.get(key(x, y)) || 0) | (1 << side));
      }
    }
  }
});
const lines = [...masks].map(([k, m]) => { const [x, y] = k.split(','); return [+x, +y, m]; })
  .sort((a, b) => a[1] - b[1] || a[0] - b[0]).map(([x, y, m]) => `${x} ${y} ${m}`);
writeFileSync(`${dir}/rivers.txt`, `# x y mask, made from rivers_1939.txt: ${riverNames.join(', ')}\n` + lines.join('\n') + '\n');
console.log(`${lines.length} hexes with rivers`);
