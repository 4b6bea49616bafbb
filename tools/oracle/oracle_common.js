// What the astronomy-engine oracles share: the Julian day of a civil
// date, a body's altitude, its range over a day, and the crossings of an
// altitude and the meridian transits within a day. Used by
// rise_set_oracle.js and today_oracle.js; `A` is the astronomy-engine
// module the caller loaded.
'use strict';

module.exports = function (A) {

// Julian day of 0h UT of a Gregorian civil date.
function julianDay(y, m, d) {
    if (m <= 2) { y -= 1; m += 12; }
    const a = Math.floor(y / 100);
    const b = 2 - a + Math.floor(a / 4);
    return Math.floor(365.25 * (y + 4716)) + Math.floor(30.6001 * (m + 1)) + d + b - 1524.5;
}

function altitudeAt(body, obs, ut) {
    const eq = A.Equator(body, A.MakeTime(ut), obs, true, true);
    return A.Horizon(A.MakeTime(ut), obs, eq.ra, eq.dec, null).altitude;
}

// Highest and lowest altitude in the day, sampled every 10 minutes and
// refined around the extremes by a finer scan.
function altitudeRange(body, obs, startUt) {
    let hi = -91, lo = 91, hiUt = startUt, loUt = startUt;
    for (let i = 0; i <= 144; ++i) {
        const ut = startUt + i / 144.0;
        const h = altitudeAt(body, obs, ut);
        if (h > hi) { hi = h; hiUt = ut; }
        if (h < lo) { lo = h; loUt = ut; }
    }
    for (let i = -60; i <= 60; ++i) {
        hi = Math.max(hi, altitudeAt(body, obs, hiUt + i / 8640.0));
        lo = Math.min(lo, altitudeAt(body, obs, loUt + i / 8640.0));
    }
    return [lo, hi];
}

function crossings(body, obs, startUt, direction, altitude) {
    const out = [];
    let ut = startUt;
    for (;;) {
        const t = A.SearchAltitude(body, obs, direction, A.MakeTime(ut), startUt + 1 - ut, altitude);
        if (!t || t.ut >= startUt + 1) break;
        out.push(t.ut);
        ut = t.ut + 1e-4;
    }
    return out;
}

function transits(body, obs, startUt) {
    const out = [];
    let ut = startUt;
    for (;;) {
        const e = A.SearchHourAngle(body, obs, 0, A.MakeTime(ut), +1);
        if (e.time.ut >= startUt + 1) break;
        out.push(e.time.ut);
        ut = e.time.ut + 1e-4;
    }
    return out;
}

return { julianDay, altitudeAt, altitudeRange, crossings, transits };
};
