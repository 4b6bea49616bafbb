// The Earth's geometric heliocentric place from the VSOP87B series: the
// place the comets and minor planets are seen from. The Earth vector of the
// Sun record comes from the Sun's short series, which carries the nutation
// in longitude and errs by up to 8" and 3e-5 AU: a comet 0.1 AU away would
// be some 30" off. This one holds to about 1e-6 AU over 1750-2250.
#pragma once

// Given:    jd     Julian day (UT), converted to TT with DeltaT
// Returned: earth  Earth from the Sun, AU, mean equator and equinox of
//                  J2000 (the ecliptic of J2000 turned by its obliquity)
void GeometricEarth(double jd, double earth[3]);
