// SPDX-License-Identifier: GPL-3.0-or-later
// Writes night_reference_2027.csv: each night's timetable from an
// independent ephemeris, the npm package astronomy-engine (never a dependency
// of the program). Run from a scratch folder that holds it:
//   npm install astronomy-engine && node make_night_reference.js > night_reference_2027.csv
'use strict';
const A = require('astronomy-engine');

const DAY = 86400, polar = ['polar78', 78.0, 15.0];
// Every date of 2027 at the three sites, and midsummer and midwinter at 78 N.
const nights = [[polar, new Date(Date.UTC(2027, 5, 21))], [polar, new Date(Date.UTC(2027, 11, 21))]];
for (const s of [['tokyo', 35.68, 139.77], ['sapporo', 43.06, 141.35], ['sydney', -33.87, 151.21]])
    for (let d = 0; d < 365; ++d) nights.push([s, new Date(Date.UTC(2027, 0, 1 + d))]);

// Apparent altitude (refraction 'normal') of a body's centre, topocentric.
function apparent(body, t, obs) {
    const eq = A.Equator(body, t, obs, true, true);
    return A.Horizon(t, obs, eq.ra, eq.dec, 'normal').altitude;
}

// Seconds from the start, or '' when t is null or beyond the 24 hours.
function sec(t, start) {
    if (!t) return '';
    const s = Math.round((t.ut - start.ut) * DAY);
    return s >= 0 && s <= DAY ? String(s) : '';
}

// The longest span in which Jupiter is at least 10 degrees high while the
// Sun is at most -6 degrees (both apparent), cut at the 24 hours' ends.
function watchSpan(start, obs) {
    const f = t => Math.min(apparent(A.Body.Jupiter, t, obs) - 10, -6 - apparent(A.Body.Sun, t, obs));
    const n = 24 * 12;
    let best = null, from = null;
    let prevT = start, prevF = f(start);
    if (prevF >= 0) from = start;
    for (let k = 1; k <= n; ++k) {
        const t = start.AddDays(k / n), v = f(t);
        if ((prevF >= 0) !== (v >= 0)) {
            const root = A.Search(prevF < 0 ? f : (x => -f(x)), prevT, t, { dt_tolerance_seconds: 0.1 });
            if (v >= 0) from = root;
            else if (from) { if (!best || root.ut - from.ut > best[1].ut - best[0].ut) best = [from, root]; from = null; }
        }
        prevT = t; prevF = v;
    }
    if (from && (!best || prevT.ut - from.ut > best[1].ut - best[0].ut)) best = [from, prevT];
    return best;
}

console.log('# Nights of 2027 from astronomy-engine 2.1.19 (tests/data/make_night_reference.js): seconds after noon JST of date;');
console.log('# SearchAltitude of the centre at true -0.833 (Sun), -6/-12/-18, -0.5667 (Jupiter); SearchHourAngle 0 and the');
console.log('# apparent altitude there; watch = longest span of Jupiter >= 10 and Sun <= -6 apparent (refraction normal).');
console.log('site,lat,lon,date,sunset,civil_dusk,nautical_dusk,astronomical_dusk,jupiter_rise,jupiter_culmination,' +
            'jupiter_culmination_alt,jupiter_set,astronomical_dawn,nautical_dawn,civil_dawn,sunrise,watch_from,watch_to');
for (const [[name, lat, lon], date] of nights) {
    const obs = new A.Observer(lat, lon, 0);
    const start = A.MakeTime(new Date(date.getTime() + 3 * 3600 * 1000));  // noon JST
    const alt = (body, dir, h) => sec(A.SearchAltitude(body, obs, dir, start, 1, h), start);
    const culm = A.SearchHourAngle(A.Body.Jupiter, obs, 0, start, +1).time;
    const inDay = sec(culm, start) !== '';
    const w = watchSpan(start, obs);
    const row = [
        name, lat, lon, date.toISOString().slice(0, 10),
        alt(A.Body.Sun, -1, -0.833), alt(A.Body.Sun, -1, -6), alt(A.Body.Sun, -1, -12), alt(A.Body.Sun, -1, -18),
        alt(A.Body.Jupiter, +1, -0.5667), inDay ? sec(culm, start) : '',
        inDay ? apparent(A.Body.Jupiter, culm, obs).toFixed(2) : '', alt(A.Body.Jupiter, -1, -0.5667),
        alt(A.Body.Sun, +1, -18), alt(A.Body.Sun, +1, -12), alt(A.Body.Sun, +1, -6), alt(A.Body.Sun, +1, -0.833),
        w ? sec(w[0], start) : '', w ? sec(w[1], start) : '',
    ];
    console.log(row.join(','));
}
