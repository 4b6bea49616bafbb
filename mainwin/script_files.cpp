#include "mainwin/script_files.h"

#include "command/interpreter.h"

#include <string>

int SaveScriptFile(const Scene&, const char*, int)
{
    return 0;
}

void RunScriptScene(Scene* scene, const char* path)
{
    // One statement: StkExecuteText would split a name holding ";".
    const std::string statement = std::string("STL \"") + path + "\"";
    StkExecuteLine(scene, statement.c_str());
}
