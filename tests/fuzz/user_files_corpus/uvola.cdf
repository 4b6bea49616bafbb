# Click data of Uvola: a short text for some well-known objects, and a
# picture for a few of them. The information box shows the text of a picked
# object; its Image button and the popup menu open the pictures, which are
# charts drawn by Uvola itself (tools/gen_sample_pictures.py).
# Written for Uvola (see data/SOURCES.md).
#
# An entry starts with ":" and a target as commands write it; "@TEXT" gives
# its text, "@IMAGE" a picture file under ClickImagePath and a title.

:SUN
@TEXT "Our star, about 150 million km away. Never look at it without a safe filter."

:MOON
@TEXT "Earth's satellite, 384,400 km away on average; it shows the same face to us."
@IMAGE moon.jpg "The Moon among the stars"

:MERCURY
@TEXT "The innermost planet, seen only low in twilight near the Sun."

:VENUS
@TEXT "The brightest planet, the morning or evening star, wrapped in thick cloud."

:MARS
@TEXT "The red planet; it is brightest when opposite the Sun every 26 months."

:JUPITER
@TEXT "The largest planet. Binoculars show its four Galilean moons."
@IMAGE jupiter.jpg "Jupiter and its Galilean moons"

:SATURN
@TEXT "The ringed planet; a small telescope shows the rings."
@IMAGE saturn.jpg "Saturn"

:URANUS
@TEXT "An ice giant at the limit of naked-eye visibility."

:NEPTUNE
@TEXT "The outermost major planet, found in 1846 from its pull on Uranus."

:M1
@TEXT "The Crab Nebula in Taurus, the remnant of the supernova seen in 1054."

:M8
@TEXT "The Lagoon Nebula in Sagittarius, a glowing cloud with a young cluster."

: M13
@TEXT "The Great Globular Cluster in Hercules, some hundred thousand old stars."
@IMAGE m13.jpg "M13 in Hercules"

:M20
@TEXT "The Trifid Nebula in Sagittarius, cut into three lobes by dark lanes."

:M27
@TEXT "The Dumbbell Nebula in Vulpecula, the shell of a dying star."

:M31
@TEXT "The Andromeda Galaxy, the most distant object plain to the naked eye."
@IMAGE m31.jpg "The Andromeda Galaxy"

:NEBULA M42
@TEXT "The Orion Nebula, a stellar nursery below Orion's belt."
@IMAGE m42.jpg "Orion's sword and its nebula"

:M44
@TEXT "Praesepe, the Beehive Cluster in Cancer; fine in binoculars."

:M45
@TEXT "The Pleiades or Seven Sisters, a young open cluster in Taurus."
@IMAGE m45.jpg "The Pleiades"

:M51
@TEXT "The Whirlpool Galaxy in Canes Venatici, a spiral seen face on."

:M57
@TEXT "The Ring Nebula in Lyra, a small smoke ring between two stars."

:M81
@TEXT "Bode's Galaxy in Ursa Major, with M82 close beside it."

:M104
@TEXT "The Sombrero Galaxy in Virgo, an edge-on spiral with a dark lane."

:STAR alphaCMa
@TEXT "Sirius, the brightest star of the night sky, 8.6 light years away."

:STAR alphaOri
@TEXT "Betelgeuse, a red supergiant at Orion's shoulder."
@IMAGE orion.jpg "Orion"

:STAR betaOri
@TEXT "Rigel, a blue supergiant at Orion's foot."

:Vega
@TEXT "Vega in Lyra, one corner of the Summer Triangle."

:STAR alphaUMi
@TEXT "Polaris, the pole star, within a degree of the north celestial pole."

:STAR alphaSco
@TEXT "Antares, the red heart of Scorpius."

:STAR alphaTau
@TEXT "Aldebaran, the orange eye of Taurus in front of the Hyades."

:STAR alphaBoo
@TEXT "Arcturus in Bootes, the brightest star north of the celestial equator."

:LMC
@TEXT "The Large Magellanic Cloud, a companion galaxy of the Milky Way."
