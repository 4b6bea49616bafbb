#include "data/copyright_notice.h"

#include <string>

namespace {

// The copyright line, the terms of use, and the credit of d3-celestial.
constexpr char kTermsAndFirstCredit[] =
    "Copyright (C) 2026 the Uvola developers.\n"
    "\n"
    "Terms of use\n"
    "\n"
    "Uvola is provided as it is, without warranty of any kind, express or implied, "
    "including the warranties of merchantability and fitness for a particular purpose. "
    "In no event shall its developers be liable for any claim, damages or other "
    "liability arising from the program or from its use. The places and times it shows "
    "are computed for enjoying and planning observations of the sky; do not use them "
    "for navigation or for anything on which a life or property depends.\n"
    "\n"
    "Credits\n"
    "\n"
    "The built-in stars, constellations and Milky Way come from d3-celestial:\n"
    "\n"
    "Copyright (c) 2015, Olaf Frohn\n"
    "All rights reserved.\n"
    "\n";

// The first two conditions of the BSD licences of d3-celestial and
// Tycho-2, which both ask for them and for the disclaimer below.
constexpr char kBsdConditions[] =
    "Redistribution and use in source and binary forms, with or without modification, "
    "are permitted provided that the following conditions are met:\n"
    "\n"
    "1. Redistributions of source code must retain the above copyright notice, this list "
    "of conditions and the following disclaimer.\n"
    "\n"
    "2. Redistributions in binary form must reproduce the above copyright notice, this "
    "list of conditions and the following disclaimer in the documentation and/or other "
    "materials provided with the distribution.\n"
    "\n";

// The third condition, in d3-celestial's licence only.
constexpr char kThirdCondition[] =
    "3. Neither the name of the copyright holder nor the names of its contributors may be "
    "used to endorse or promote products derived from this software without specific "
    "prior written permission.\n"
    "\n";

constexpr char kBsdDisclaimer[] =
    "THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS AND CONTRIBUTORS \"AS IS\" AND ANY "
    "EXPRESS OR IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO, THE IMPLIED WARRANTIES "
    "OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE ARE DISCLAIMED. IN NO EVENT "
    "SHALL THE COPYRIGHT HOLDER OR CONTRIBUTORS BE LIABLE FOR ANY DIRECT, INDIRECT, "
    "INCIDENTAL, SPECIAL, EXEMPLARY, OR CONSEQUENTIAL DAMAGES (INCLUDING, BUT NOT LIMITED "
    "TO, PROCUREMENT OF SUBSTITUTE GOODS OR SERVICES; LOSS OF USE, DATA, OR PROFITS; OR "
    "BUSINESS INTERRUPTION) HOWEVER CAUSED AND ON ANY THEORY OF LIABILITY, WHETHER IN "
    "CONTRACT, STRICT LIABILITY, OR TORT (INCLUDING NEGLIGENCE OR OTHERWISE) ARISING IN "
    "ANY WAY OUT OF THE USE OF THIS SOFTWARE, EVEN IF ADVISED OF THE POSSIBILITY OF SUCH "
    "DAMAGE.\n";

// OpenNGC's attribution, and Tycho-2's copyright.
constexpr char kNebulaAndTychoCredits[] =
    "\n"
    "The nebulae, clusters and galaxies: OpenNGC by Mattia Verga, "
    "https://github.com/mattiaverga/OpenNGC, CC BY-SA 4.0. The program's nebula table is "
    "derived from it and is shared under the same licence.\n"
    "\n"
    "The star files: the Tycho-2 Catalogue (Hog et al. 2000, A&A 357, 367).\n"
    "\n"
    "Copyright 2000 Hog E., Fabricius C., Makarov V.V., Urban S., Corbin T., Wycoff G., "
    "Bastian U., Schwekendiek P., Wicenec A.\n"
    "\n";

// astronomia's MIT licence, the JPL database and tzdata.
constexpr char kOtherCredits[] =
    "\n"
    "The planets' long-range elements and the Moon's series follow J. Meeus, "
    "Astronomical Algorithms, as restated in astronomia:\n"
    "\n"
    "Copyright (c) 2013 Sonia Keys\n"
    "Copyright (c) 2016 Commenthol\n"
    "\n"
    "Permission is hereby granted, free of charge, to any person obtaining a copy of this "
    "software and associated documentation files (the \"Software\"), to deal in the "
    "Software without restriction, including without limitation the rights to use, copy, "
    "modify, merge, publish, distribute, sublicense, and/or sell copies of the Software, "
    "and to permit persons to whom the Software is furnished to do so, subject to the "
    "following conditions:\n"
    "\n"
    "The above copyright notice and this permission notice shall be included in all "
    "copies or substantial portions of the Software.\n"
    "\n"
    "THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, "
    "INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A "
    "PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT "
    "HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF "
    "CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE "
    "OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.\n"
    "\n"
    "The comets and minor planets: NASA/JPL Small-Body Database.\n"
    "\n"
    "The site list: the time zone database (tzdata), in the public domain.\n";

std::string Notice()
{
    return std::string(kTermsAndFirstCredit) + kBsdConditions + kThirdCondition + kBsdDisclaimer +
           kNebulaAndTychoCredits + kBsdConditions + kBsdDisclaimer + kOtherCredits;
}

}  // namespace

const char* CopyrightNotice()
{
    static const std::string notice = Notice();
    return notice.c_str();
}
