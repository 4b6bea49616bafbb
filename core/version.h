// The program's version: the one constant that "-V" prints and the About
// box shows, so the two can never disagree.
#pragma once

constexpr char kUvolaVersion[] = "1.0.0";
