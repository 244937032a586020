// Run once (node rasterise.mjs OUTDIR) to lay Natural Earth's land and modern borders
// onto the hex grid. Its output is a starting point that the scenario's own sources
// edit by hand (1939 borders, terrain, rivers); it is not run by the build.
import { createRequire } from 'module';
import { writeFileSync } from 'fs';
import * as topojson from 'topojson-client';
import { project, setupGrid, hexLonLat, GRID, inRing } from './projection.mjs';

const require = createRequire(import.meta.url);
const countriesTopo = require('world-atlas/countries-50m.json');
const landTopo = require('world-atlas/land-50m.json');
const outDir = process.argv[2] || '.';

// The area of the game: the Atlantic to beyond Moscow and the Caucasus, northern
// Scandinavia to North Africa and the Levant.
const WEST = -25, EAST = 70, SOUTH = 25, NORTH = 80, COLUMN_KM = 30;

// Points that must lie on the map, with a margin of sea around them.
const CORNER_POINTS = [[-11, 52.5], [-10.5, 37], [-10.5, 30.5], [26, 71.5], [41, 69.5], [50, 57],
                       [50.5, 40], [36.5, 30], [25, 30], [10, 30.5]];
const MARGIN_KM = 60;

function bounds() {
  let b = { minX: Infinity, maxX: -Infinity, minY: Infinity, maxY: -Infinity };
  for (const [lon, lat] of CORNER_POINTS) {
    const [x, y] = project(lon, lat);
    b.minX = Math.min(b.minX, x - MARGIN_KM); b.maxX = Math.max(b.maxX, x + MARGIN_KM);
    b.minY = Math.min(b.minY, y - MARGIN_KM); b.maxY = Math.max(b.maxY, y + MARGIN_KM);
  }
  return b;
}

// Polygons as arrays of rings of [lon, lat], with their bounding boxes.
function polygonsOf(geometry) {
  const polys = geometry.type === 'Polygon' ? [geometry.coordinates]
              : geometry.type === 'MultiPolygon' ? geometry.coordinates : [];
  return polys.map(rings => rings.map(unwrapRing)).map(rings => {
    let box = [Infinity, Infinity, -Infinity, -Infinity];
    for (const [lon, lat] of rings[0]) {
      box = [Math.min(box[0], lon), Math.min(box[1], lat), Math.max(box[2], lon), Math.max(box[3], lat)];
    }
    return { rings, box };
  }).filter(p => p.box[2] >= WEST - 15 && p.box[0] <= EAST + 15 && p.box[3] >= SOUTH - 5 && p.box[1] <= NORTH + 5);
}

// A ring that crosses the antimeridian (Chukotka) is made continuous by moving its far
// eastern points past 180 degrees; otherwise its wrapping edges cut across Europe.
function unwrapRing(ring) {
  const crosses = ring.some(([lon]) => lon > 150) && ring.some(([lon]) => lon < -150);
  return crosses ? ring.map(([lon, lat]) => [lon < -150 ? lon + 360 : lon, lat]) : ring;
}


function inPolygons(polys, lon, lat) {
  for (const p of polys) {
    if (lon < p.box[0] || lon > p.box[2] || lat < p.box[1] || lat > p.box[3]) continue;
    let inside = false;
    for (const ring of p.rings) if (inRing(ring, lon, lat)) inside = !inside;
    if (inside) return true;
  }
  return false;
}

setupGrid(bounds(), COLUMN_KM);
const land = topojson.feature(landTopo, landTopo.objects.land).features.flatMap(f => polygonsOf(f.geometry));
const countries = topojson.feature(countriesTopo, countriesTopo.objects.countries).features
  .map(f => ({ name: f.properties.name, polys: polygonsOf(f.geometry) }))
  .filter(c => c.polys.length > 0);

// Centre and six points around it; a hex is land when most of them are.
const SAMPLES = [[0, 0]];
for (let k = 0; k < 6; ++k) SAMPLES.push([0.3 * Math.cos(k * Math.PI / 3), 0.3 * Math.sin(k * Math.PI / 3)]);

// Islands too small for the grid that the war needs all the same: the hex of each point
// becomes land of the named modern country.
const SMALL_ISLANDS = [[14.42, 35.89, 'Malta']];
const forced = new Map(SMALL_ISLANDS.map(([lon, lat, name]) => {
  const x = Math.floor((project(lon, lat)[0] - GRID.west) / GRID.columnKm);
  const y = Math.floor((GRID.north - project(lon, lat)[1]) / GRID.rowKm - (x % 2 === 0 ? 0.5 : 0));
  return [`${x},${y}`, name];
}));

const landRows = [], countryRows = [];
const names = new Set();
for (let y = 0; y < GRID.height; ++y) {
  let landRow = '', countryRow = [];
  for (let x = 0; x < GRID.width; ++x) {
    let landCount = 0;
    const votes = new Map();
    for (const [fx, fy] of SAMPLES) {
      const [lon, lat] = hexLonLat(x, y, fx, fy);
      // Greenland, Iceland and the Arctic islands lie outside the war.
      if (lat > 72 || lon < -12) continue;
      if (!inPolygons(land, lon, lat)) continue;
      ++landCount;
      const c = countries.find(c => inPolygons(c.polys, lon, lat));
      const name = c ? c.name : '?';
      votes.set(name, (votes.get(name) || 0) + 1);
    }
    const island = forced.get(`${x},${y}`);
    const isLand = landCount >= 4 || island !== undefined;
    landRow += isLand ? '#' : '.';
    let best = '', bestVotes = 0;
    for (const [n, v] of votes) if (v > bestVotes) { best = n; bestVotes = v; }
    if (island !== undefined && bestVotes < 4) best = island;
    countryRow.push(isLand ? best : '');
    if (isLand) names.add(best);
  }
  landRows.push(landRow);
  countryRows.push(countryRow.join(';'));
}

writeFileSync(`${outDir}/grid.txt`,
  `# width ${GRID.width} height ${GRID.height} column_km ${GRID.columnKm} west ${GRID.west.toFixed(3)} north ${GRID.north.toFixed(3)}\n`);
writeFileSync(`${outDir}/land.txt`, landRows.join('\n') + '\n');
writeFileSync(`${outDir}/modern_countries.csv`, countryRows.join('\n') + '\n');
console.log(`grid ${GRID.width} x ${GRID.height}; ${[...names].sort().join(', ')}`);
