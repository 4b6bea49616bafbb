// The text of the Help menu's Copyright window, after its first line (the
// program's name and version, which the window writes from the version
// constant): the copyright line, the terms of use, and the credits and
// licence texts that the sources of the data compiled into the program ask
// for (data/SOURCES.md).
#pragma once

const char* CopyrightNotice();
