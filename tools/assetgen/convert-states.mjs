// convert-states.mjs: turns the U.S. Census Bureau state outlines of the us-atlas
// package into tools/assetgen/states.txt, the small outline file that the asset
// generator draws its state maps from.
//
// Run once by hand, only when the set of maps or the simplification changes; the
// result is committed, so the build needs neither node nor the package:
//
//   mkdir -p /tmp/atlas && cd /tmp/atlas && npm init -y && npm install us-atlas topojson-client
//   node /path/to/tools/assetgen/convert-states.mjs /tmp/atlas/node_modules > /path/to/tools/assetgen/states.txt
//
// What it keeps: the states that have a map in the game, plus every state that
// borders one of them (found from the shared arcs of the TopoJSON), so that each
// map can show its neighbours. Rings are simplified with Douglas-Peucker in
// degrees, the tolerance raised per state until it has at most MAX_POINTS points;
// islands smaller than a small share of the state's main ring are dropped.
//
// Output format (plain text, one record per line, '#' starts a comment line):
//   state <postal code> <FIPS> <name, may hold blanks>
//   ring <n>                      a closed outline of n points (first point not repeated)
//   <lon> <lat> <lon> <lat> ...   the n points, degrees, 2 decimals, up to 8 pairs a line
// A state ends where the next "state" line begins.

import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const modules = process.argv[2] ?? 'node_modules';
const require = createRequire(path.resolve(modules, 'x.js'));
const topojson = require('topojson-client');
const topology = JSON.parse(readFileSync(path.join(modules, 'us-atlas', 'states-10m.json'), 'utf8'));

const POSTAL = {
  '01': 'AL', '02': 'AK', '04': 'AZ', '05': 'AR', '06': 'CA', '08': 'CO', '09': 'CT', '10': 'DE',
  '11': 'DC', '12': 'FL', '13': 'GA', '15': 'HI', '16': 'ID', '17': 'IL', '18': 'IN', '19': 'IA',
  '20': 'KS', '21': 'KY', '22': 'LA', '23': 'ME', '24': 'MD', '25': 'MA', '26': 'MI', '27': 'MN',
  '28': 'MS', '29': 'MO', '30': 'MT', '31': 'NE', '32': 'NV', '33': 'NH', '34': 'NJ', '35': 'NM',
  '36': 'NY', '37': 'NC', '38': 'ND', '39': 'OH', '40': 'OK', '41': 'OR', '42': 'PA', '44': 'RI',
  '45': 'SC', '46': 'SD', '47': 'TN', '48': 'TX', '49': 'UT', '50': 'VT', '51': 'VA', '53': 'WA',
  '54': 'WV', '55': 'WI', '56': 'WY', '72': 'PR', '60': 'AS', '66': 'GU', '69': 'MP', '78': 'VI',
};

// The states with a map picture in the game (Kansas and Nebraska share one).
const MAPPED = ['AL', 'VA', 'MS', 'SC', 'NC', 'GA', 'PA', 'MD', 'TN', 'TX', 'AR', 'MO', 'FL', 'LA', 'KY', 'KS', 'NE'];
const MAX_POINTS = 320;
const MIN_ISLAND_SHARE = 0.004;

const geometries = topology.objects.states.geometries;
const neighbors = topojson.neighbors(geometries);
const keep = new Set();
geometries.forEach((g, i) => {
  const code = POSTAL[g.id];
  if (!MAPPED.includes(code)) return;
  keep.add(i);
  for (const j of neighbors[i]) keep.add(j);
});

function area(ring) {
  let a = 0;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) a += (ring[j][0] - ring[i][0]) * (ring[j][1] + ring[i][1]);
  return Math.abs(a / 2);
}

function perpendicular(p, a, b) {
  const dx = b[0] - a[0], dy = b[1] - a[1];
  const len = Math.hypot(dx, dy);
  if (len === 0) return Math.hypot(p[0] - a[0], p[1] - a[1]);
  return Math.abs(dy * p[0] - dx * p[1] + b[0] * a[1] - b[1] * a[0]) / len;
}

function douglasPeucker(points, tolerance) {
  const keepFlags = new Uint8Array(points.length);
  keepFlags[0] = keepFlags[points.length - 1] = 1;
  const stack = [[0, points.length - 1]];
  while (stack.length) {
    const [first, last] = stack.pop();
    let best = -1, bestDist = tolerance;
    for (let i = first + 1; i < last; i++) {
      const d = perpendicular(points[i], points[first], points[last]);
      if (d > bestDist) { best = i; bestDist = d; }
    }
    if (best >= 0) {
      keepFlags[best] = 1;
      stack.push([first, best], [best, last]);
    }
  }
  return points.filter((_, i) => keepFlags[i]);
}

// A closed ring is split at its farthest point from the start, so both halves keep their ends.
function simplifyRing(ring, tolerance) {
  const open = ring.slice(0, -1);
  if (open.length < 8) return open;
  let far = 1, farDist = 0;
  for (let i = 1; i < open.length; i++) {
    const d = Math.hypot(open[i][0] - open[0][0], open[i][1] - open[0][1]);
    if (d > farDist) { far = i; farDist = d; }
  }
  const a = douglasPeucker(open.slice(0, far + 1), tolerance);
  const b = douglasPeucker(open.slice(far).concat([open[0]]), tolerance);
  return a.concat(b.slice(1, -1));
}

function rounded(ring) {
  const out = [];
  for (const [x, y] of ring) {
    const p = [Math.round(x * 100) / 100, Math.round(y * 100) / 100];
    const last = out[out.length - 1];
    if (!last || last[0] !== p[0] || last[1] !== p[1]) out.push(p);
  }
  return out;
}

const lines = [
  '# State outlines for the Bellarune asset generator, made by convert-states.mjs.',
  '# Source: U.S. Census Bureau cartographic boundary files, via the us-atlas package',
  '# (ISC license) by Mike Bostock. Simplified; longitude and latitude in degrees.',
  '# state <postal> <fips> <name> / ring <n> / n lon lat pairs.',
];

const kept = [...keep].sort((a, b) => POSTAL[geometries[a].id].localeCompare(POSTAL[geometries[b].id]));
for (const i of kept) {
  const g = geometries[i];
  const feature = topojson.feature(topology, g);
  const polygons = feature.geometry.type === 'Polygon' ? [feature.geometry.coordinates] : feature.geometry.coordinates;
  // Outer rings only: holes are lakes too small to matter at map size.
  let rings = polygons.map((poly) => poly[0]);
  const biggest = Math.max(...rings.map(area));
  rings = rings.filter((r) => area(r) >= biggest * MIN_ISLAND_SHARE);
  let tolerance = 0.005, simplified;
  for (;;) {
    simplified = rings.map((r) => rounded(simplifyRing(r, tolerance))).filter((r) => r.length >= 3);
    const total = simplified.reduce((n, r) => n + r.length, 0);
    if (total <= MAX_POINTS) break;
    tolerance *= 1.25;
  }
  lines.push(`state ${POSTAL[g.id]} ${g.id} ${g.properties.name}`);
  for (const ring of simplified) {
    lines.push(`ring ${ring.length}`);
    for (let k = 0; k < ring.length; k += 8) {
      lines.push(ring.slice(k, k + 8).map(([x, y]) => `${x.toFixed(2)} ${y.toFixed(2)}`).join(' '));
    }
  }
}
process.stdout.write(lines.join('\n') + '\n');
