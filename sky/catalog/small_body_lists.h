// The scene's lists of loaded comets and minor planets: parallel heap
// arrays (places, elements, for comets the tails, and a flag byte each)
// that grow by one as objects are added and are freed by INIT and at quit.
#pragma once

#include "astro/body_records.h"

#include <cstdint>

struct Scene;

// Flag bytes of a newly added object: a comet is shown with its orbit and
// both tails, a minor planet with its orbit.
constexpr uint8_t kNewCometFlags = 0xE2;
constexpr uint8_t kNewMinorPlanetFlags = 0x22;

// Room for one more comet (minor planet) in each of its arrays, which grow
// by doubling (the capacity in the Scene). On failure
// the arrays already enlarged stay so, still holding every loaded object.
// Returned: 1, or 0 when memory runs out
int32_t GrowCometList(Scene& scene);
int32_t GrowMinorPlanetList(Scene& scene);

// Adds an object at the end of its list: its elements, its kind, its flag
// byte, a place (and tails) out of date so that the next redraw computes
// them, and its orbit path (none when the path cannot be had).
// Given:    el     the elements
// Returned: 1, or 0 when memory runs out: the list of that kind is then
//           emptied (count 0, arrays and orbit paths released)
int32_t AddComet(Scene& scene, const OrbitalElements& el);
int32_t AddMinorPlanet(Scene& scene, const OrbitalElements& el);

// Frees every orbit path and the arrays of the list; the count becomes 0
// and every pointer null.
void FreeCometList(Scene& scene);
void FreeMinorPlanetList(Scene& scene);
