// Delta T, the difference TT - UT between the uniform time scale that
// orbital elements are given in and the clock of the Earth's rotation that
// the program's Julian days follow.
#pragma once

// Delta T by the polynomials of Espenak and Meeus (Five Millennium Canon of
// Solar Eclipses: -1999 to +3000, NASA TP-2006-214141, as on
// NASA's eclipse web site "Polynomial expressions for Delta T"); beyond
// 2005 they are a prediction, some seconds above the observed values.
// Given:    jd     Julian day (UT)
// Returned: TT - UT, seconds
double DeltaT(double jd);

// Given:    jd     Julian day (UT)
// Returned: the same instant as a Julian day of Terrestrial Time
double TerrestrialTimeFromUT(double jd);
