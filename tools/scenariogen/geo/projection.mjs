// The map of Europe: a Lambert conformal conic projection (standard parallels 40 and 60,
// centred on 15 E, 52 N) laid onto the game's hex grid of flat-topped columns, each
// column 83 units wide and each row 98 units high, even columns half a row lower.
const DEG = Math.PI / 180;
const PHI1 = 40 * DEG, PHI2 = 60 * DEG, PHI0 = 52 * DEG, LAM0 = 15 * DEG;
const N = Math.log(Math.cos(PHI1) / Math.cos(PHI2)) /
          Math.log(Math.tan(Math.PI / 4 + PHI2 / 2) / Math.tan(Math.PI / 4 + PHI1 / 2));
const F = Math.cos(PHI1) * Math.pow(Math.tan(Math.PI / 4 + PHI1 / 2), N) / N;
const RHO0 = F / Math.pow(Math.tan(Math.PI / 4 + PHI0 / 2), N);
const EARTH_KM = 6371;

export function project(lon, lat) {
  const rho = F / Math.pow(Math.tan(Math.PI / 4 + lat * DEG / 2), N);
  const theta = N * (lon * DEG - LAM0);
  return [EARTH_KM * rho * Math.sin(theta), EARTH_KM * (RHO0 - rho * Math.cos(theta))];
}

export function unproject(x, y) {
  x /= EARTH_KM; y /= EARTH_KM;
  const rho = Math.sign(N) * Math.hypot(x, RHO0 - y);
  const theta = Math.atan2(x, RHO0 - y);
  const lat = 2 * Math.atan(Math.pow(F / rho, 1 / N)) - Math.PI / 2;
  return [(LAM0 + theta / N) / DEG, lat / DEG];
}

// The grid: the north-west corner in projected km and the width of a column in km.
export const GRID = {
  west: null, north: null, columnKm: 30, width: 0, height: 0,
};

export function setupGrid(bounds, columnKm) {
  const rowKm = columnKm * 98 / 83;
  GRID.columnKm = columnKm;
  GRID.rowKm = rowKm;
  GRID.west = bounds.minX;
  GRID.north = bounds.maxY;
  GRID.width = Math.ceil((bounds.maxX - bounds.minX) / columnKm);
  GRID.height = Math.ceil((bounds.maxY - bounds.minY) / rowKm);
}

// Projected km of a point inside hex (x, y); (fx, fy) from -0.5 to 0.5 around the centre.
export function hexPoint(x, y, fx = 0, fy = 0) {
  const px = GRID.west + (x + 0.5 + fx) * GRID.columnKm;
  const py = GRID.north - (y + 0.5 + fy + (x % 2 === 0 ? 0.5 : 0)) * GRID.rowKm;
  return [px, py];
}

export function hexLonLat(x, y, fx = 0, fy = 0) {
  const [px, py] = hexPoint(x, y, fx, fy);
  return unproject(px, py);
}

// The hex that holds a longitude and latitude, or null outside the grid.
export function lonLatToHex(lon, lat) {
  const [px, py] = project(lon, lat);
  const x = Math.floor((px - GRID.west) / GRID.columnKm);
  if (x < 0 || x >= GRID.width) return null;
  const y = Math.floor((GRID.north - py) / GRID.rowKm - (x % 2 === 0 ? 0.5 : 0));
  if (y < 0 || y >= GRID.height) return null;
  return [x, y];
}

// Whether a longitude and latitude lie inside a ring of [lon, lat] points (even-odd rule).
export function inRing(ring, lon, lat) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const [xi, yi] = ring[i], [xj, yj] = ring[j];
    if ((yi > lat) !== (yj > lat) && lon < (xj - xi) * (lat - yi) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}
