// Golden values of the What's Today table, from astronomy-engine (an
// independent ephemeris library used only as a test oracle; nothing of it
// is linked into the program).
//
// Rerun (needs Node and network access to the npm registry):
//   mkdir -p /tmp/ae && (cd /tmp/ae && npm pack astronomy-engine@2.1.19 &&
//                        tar xzf astronomy-engine-2.1.19.tgz)
//   node tools/oracle/today_oracle.js /tmp/ae/package > tests/data/today_table.csv
//
// Four sites (one at the equator, one beyond the Arctic Circle) x twelve
// civil dates in the span of the short series, with Tromso's midnight sun,
// its white nights (the Sun sets but never reaches -18) and its polar night.
//
// Each row is one value of the table for one local day [0h, 24h) local time:
//   site,lat,lon,zone,year,month,day,body,kind,altitude,grazing,count,v1,v2,v3
// body: SUN, MOON, MERCURY .. PLUTO, or DAY for the date's own values.
// kind: RISE, SET (the centre crossing `altitude` upwards or downwards,
//       topocentric, on the horizon the program uses: -(0.5855555 + the
//       Sun's semidiameter) for the Sun, -0.5855555 for the others; -18 for
//       dawn and dusk), TRANSIT (upper culmination); the values are the
//       Julian days (UT) of the `count` events, earliest first.
//       AGE (body MOON): days since the last new moon at 12:00 local time.
//       JD (body DAY): the Julian day of 0h of the date.
// grazing = 1 when the body's highest or lowest altitude of the day lies
// within 1 degree of `altitude`: there whether there is an event at all
// turns on arcminutes, so the tests do not compare it.
'use strict';
const path = require('path');
const A = require(path.resolve(process.argv[2] || 'node_modules/astronomy-engine'));
const { julianDay, altitudeRange, crossings, transits } = require('./oracle_common.js')(A);

const kRefraction = 0.5855555;
const kSolarRadiusKm = 695700.0;
const kAuKm = 149597870.7;
const kJ2000 = 2451545.0;

const sites = [
    { name: 'TOKYO', lat: 35.6895, lon: 139.6917, zone: 9 },
    { name: 'TROMSO', lat: 69.6492, lon: 18.9553, zone: 1 },
    { name: 'EQUATOR', lat: 0.0, lon: -78.5, zone: -5 },
    { name: 'SYDNEY', lat: -33.8688, lon: 151.2093, zone: 10 },
];

const dates = [
    [1957, 10, 4], [1966, 1, 25], [1979, 2, 26], [1986, 4, 11], [1991, 7, 11], [1997, 3, 9],
    [2004, 5, 10], [2012, 6, 21], [2017, 8, 10], [2021, 12, 4], [2033, 3, 30], [2048, 1, 5],
];

const bodies = [
    ['SUN', A.Body.Sun], ['MOON', A.Body.Moon], ['MERCURY', A.Body.Mercury],
    ['VENUS', A.Body.Venus], ['MARS', A.Body.Mars], ['JUPITER', A.Body.Jupiter],
    ['SATURN', A.Body.Saturn], ['URANUS', A.Body.Uranus], ['NEPTUNE', A.Body.Neptune],
    ['PLUTO', A.Body.Pluto],
];

// Days from the last new moon at or before ut to ut.
function moonAge(ut) {
    let last = null;
    let t = A.MakeTime(ut - 32);
    for (;;) {
        const found = A.SearchMoonPhase(0, t, 40);
        if (!found || found.ut > ut) break;
        last = found.ut;
        t = A.MakeTime(found.ut + 1);
    }
    return ut - last;
}

function row(site, date, body, kind, altitude, grazing, values, digits) {
    const cells = [site.name, site.lat, site.lon, site.zone, date[0], date[1], date[2], body, kind,
                   altitude.toFixed(7), grazing ? 1 : 0, values.length];
    for (const v of values) cells.push(v.toFixed(digits));
    console.log(cells.join(','));
}

console.log('site,lat,lon,zone,year,month,day,body,kind,altitude,grazing,count,v1,v2,v3');
for (const site of sites) {
    const obs = new A.Observer(site.lat, site.lon, 0.0);
    for (const date of dates) {
        const dayJd = julianDay(date[0], date[1], date[2]);
        const startUt = dayJd - site.zone / 24.0 - kJ2000;
        row(site, date, 'DAY', 'JD', 0.0, false, [dayJd], 1);
        row(site, date, 'MOON', 'AGE', 0.0, false, [moonAge(startUt + 0.5)], 4);
        for (const [name, body] of bodies) {
            const range = altitudeRange(body, obs, startUt);
            const grazes = (h) => Math.abs(range[0] - h) < 1.0 || Math.abs(range[1] - h) < 1.0;
            let horizon = -kRefraction;
            if (body === A.Body.Sun) {
                const dist = A.Equator(A.Body.Sun, A.MakeTime(startUt), obs, true, true).dist;
                horizon -= Math.atan(kSolarRadiusKm / (dist * kAuKm)) * 180.0 / Math.PI;
            }
            const toJd = (list) => list.map((ut) => ut + kJ2000);
            row(site, date, name, 'RISE', horizon, grazes(horizon),
                toJd(crossings(body, obs, startUt, +1, horizon)), 7);
            row(site, date, name, 'TRANSIT', 0.0, false, toJd(transits(body, obs, startUt)), 7);
            row(site, date, name, 'SET', horizon, grazes(horizon),
                toJd(crossings(body, obs, startUt, -1, horizon)), 7);
            if (body === A.Body.Sun) {
                row(site, date, name, 'RISE', -18.0, grazes(-18.0),
                    toJd(crossings(body, obs, startUt, +1, -18.0)), 7);
                row(site, date, name, 'SET', -18.0, grazes(-18.0),
                    toJd(crossings(body, obs, startUt, -1, -18.0)), 7);
            }
        }
    }
}
