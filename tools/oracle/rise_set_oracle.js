// Golden rise, transit, set and twilight times for the rise/set tests, from
// astronomy-engine (an independent ephemeris library used only as a test
// oracle; nothing of it is linked into the program).
//
// Rerun (needs Node and network access to the npm registry):
//   mkdir -p /tmp/ae && (cd /tmp/ae && npm pack astronomy-engine@2.1.19 &&
//                        tar xzf astronomy-engine-2.1.19.tgz)
//   node tools/oracle/rise_set_oracle.js /tmp/ae/package grid > tests/data/rise_set_events.csv
//   node tools/oracle/rise_set_oracle.js /tmp/ae/package tromso > tests/data/rise_set_tromso.csv
//
// "grid": 6 sites x 30 dates x the five bodies below. "tromso": the Sun and
// the Moon at Tromso on every day of 2025, a year of the Moon's major
// standstill, through the polar night, the midnight sun and the days on
// which the Moon turns circumpolar or stays below the horizon.
//
// Each row is one question asked of one local day [0h, 24h) local time:
//   site,year,month,day,zone,body,kind,altitude,grazing,count,jd1,jd2,jd3
// body: SUN, MOON, VENUS, JUPITER, STAR (Sirius, fixed J2000 place below)
// kind: RISE, SET (the body's centre crossing `altitude` upwards or
//       downwards, geometric, topocentric) or TRANSIT (upper culmination).
// The altitude of a RISE/SET row is that of the horizon the program uses:
// for a visible rise or set it is -(0.5855555 + the Sun's semidiameter) for
// the Sun and -0.5855555 for the others; twilight rows give -6, -12, -18.
// grazing = 1 when the body's highest or lowest altitude of the day lies
// within 1 degree of `altitude`: there the time of the crossing, and even
// whether there is one, turns on arcminutes, so the tests do not compare it.
// count = the number of events in the local day, followed by their Julian
// days (UT), earliest first.
'use strict';
const path = require('path');
const A = require(path.resolve(process.argv[2] || 'node_modules/astronomy-engine'));
const { julianDay, altitudeRange, crossings, transits } = require('./oracle_common.js')(A);
const run = process.argv[3] || 'grid';

const kRefraction = 0.5855555;
const kSolarRadiusKm = 695700.0;
const kAuKm = 149597870.7;
const kJ2000 = 2451545.0;
const kSirius = { ra: 101.28715533, dec: -16.71611586 };  // J2000 degrees

const sites = [
    { name: 'LONDON', lat: 51.4779, lon: -0.0015, zone: 0 },
    { name: 'TROMSO', lat: 69.6492, lon: 18.9553, zone: 1 },
    { name: 'EQUATOR', lat: 0.0, lon: -78.5, zone: -5 },
    { name: 'TOKYO', lat: 35.6895, lon: 139.6917, zone: 9 },
    { name: 'SYDNEY', lat: -33.8688, lon: 151.2093, zone: 10 },
    { name: 'USHUAIA', lat: -54.8019, lon: -68.303, zone: -3 },
];

// Thirty civil dates over the span of the short series, with both
// solstices in the polar years and both equinoxes.
const dates = [
    [1955, 3, 21], [1962, 7, 4], [1969, 7, 20], [1973, 12, 21], [1977, 2, 14],
    [1981, 6, 21], [1984, 9, 23], [1988, 11, 5], [1990, 1, 15], [1993, 4, 30],
    [1996, 12, 21], [1999, 8, 11], [2000, 1, 1], [2002, 6, 21], [2004, 6, 8],
    [2006, 10, 17], [2009, 3, 20], [2011, 5, 27], [2013, 12, 21], [2015, 9, 28],
    [2017, 8, 21], [2019, 2, 2], [2020, 6, 21], [2022, 11, 8], [2024, 4, 8],
    [2026, 12, 21], [2030, 6, 21], [2035, 10, 3], [2042, 1, 27], [2055, 7, 16],
];

const bodies = [
    { name: 'SUN', body: A.Body.Sun },
    { name: 'MOON', body: A.Body.Moon },
    { name: 'VENUS', body: A.Body.Venus },
    { name: 'JUPITER', body: A.Body.Jupiter },
    { name: 'STAR', body: A.Body.Star1 },
];
A.DefineStar(A.Body.Star1, kSirius.ra / 15.0, kSirius.dec, 8.6);

function row(site, date, b, kind, altitude, grazing, times) {
    const cells = [site.name, date[0], date[1], date[2], site.zone, b.name, kind,
                   altitude.toFixed(7), grazing ? 1 : 0, times.length];
    for (const ut of times) cells.push((ut + kJ2000).toFixed(7));
    console.log(cells.join(','));
}

// Every day of one year, as [year, month, day].
function everyDay(year) {
    const out = [];
    const first = julianDay(year, 1, 1);
    for (let jd = first; jd < julianDay(year + 1, 1, 1); ++jd) {
        const d = new Date(Math.round((jd - 2440587.5) * 86400000));
        out.push([d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()]);
    }
    return out;
}

function ask(runSites, runDates, runBodies) {
for (const site of runSites) {
    const obs = new A.Observer(site.lat, site.lon, 0.0);
    for (const date of runDates) {
        const startUt = julianDay(date[0], date[1], date[2]) - site.zone / 24.0 - kJ2000;
        for (const b of runBodies) {
            const range = altitudeRange(b.body, obs, startUt);
            const grazes = (h) => Math.abs(range[0] - h) < 1.0 || Math.abs(range[1] - h) < 1.0;
            let horizon = -kRefraction;
            if (b.body === A.Body.Sun) {
                const dist = A.Equator(A.Body.Sun, A.MakeTime(startUt), obs, true, true).dist;
                horizon -= Math.atan(kSolarRadiusKm / (dist * kAuKm)) * 180.0 / Math.PI;
            }
            row(site, date, b, 'RISE', horizon, grazes(horizon),
                crossings(b.body, obs, startUt, +1, horizon));
            row(site, date, b, 'SET', horizon, grazes(horizon),
                crossings(b.body, obs, startUt, -1, horizon));
            row(site, date, b, 'TRANSIT', 0.0, false, transits(b.body, obs, startUt));
            if (b.body !== A.Body.Sun) continue;
            for (const h of [-6, -12, -18]) {
                row(site, date, b, 'RISE', h, grazes(h), crossings(b.body, obs, startUt, +1, h));
                row(site, date, b, 'SET', h, grazes(h), crossings(b.body, obs, startUt, -1, h));
            }
        }
    }
}
}

console.log('site,year,month,day,zone,body,kind,altitude,grazing,count,jd1,jd2,jd3');
if (run === 'tromso')
    ask([sites[1]], everyDay(2025), bodies.slice(0, 2));
else
    ask(sites, dates, bodies);
