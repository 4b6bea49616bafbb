// The handlers of the command language, one per command word. Each is called
// with the Scene and its arguments: texts, null where an argument is omitted
// or absent; the commands with a variable argument list get all ten slots.
// A handler reports failure only through StkSetError.
#pragma once

struct Scene;

// Time and place
void CmdLocate(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5);
void CmdDate(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6, char* a7);
void CmdStime(Scene& scene, char* a1, char* a2);
void CmdInctime(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6);
void CmdDectime(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6);
void CmdPeriod(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6);
void CmdTimesys(Scene& scene, char* a1);

// View mode and magnitudes
void CmdMode(Scene& scene, char* a1);
void CmdMag(Scene& scene, char* a1, char* a2);
// MAG's kinds, by the keyword after MAG; value is the magnitude (for
// NEBULALIMIT 1 or another integer), null when omitted.
void StkMagStar(Scene& scene, const char* value);
void StkMagStarname(Scene& scene, const char* value);
void StkMagNebulamin(Scene& scene, const char* value);
void StkMagNebulamax(Scene& scene, const char* value);
void StkMagNebulalimit(Scene& scene, const char* value);
void CmdIncmag(Scene& scene, char* a1, char* a2);
void CmdDecmag(Scene& scene, char* a1, char* a2);
void CmdStarsize(Scene& scene, char* a1);
void CmdStardata(Scene& scene, char* a1);

// View
void CmdInit(Scene& scene);
void CmdMirror(Scene& scene, char* a1);
void CmdView(Scene& scene, char* const* args);
void CmdZoom(Scene& scene, char* a1, char* a2);
void CmdLook(Scene& scene, char* a1, char* a2, char* a3);
void CmdTrack(Scene& scene, char* a1, char* a2, char* a3);
void CmdBlink(Scene& scene, char* a1, char* a2, char* a3);
void CmdSolOffset(Scene& scene, char* a1, char* a2, char* a3);

// Display options and data files
void CmdShow(Scene& scene, char* const* args);
void CmdHide(Scene& scene, char* const* args);
void CmdToggle(Scene& scene, char* const* args);
void CmdGrid(Scene& scene, char* a1);
void CmdLoad(Scene& scene, char* a1, char* a2, char* a3, char* a4);
void CmdUnload(Scene& scene, char* a1, char* a2, char* a3, char* a4);
void CmdReal(Scene& scene, char* const* args);
void CmdOutline(Scene& scene, char* const* args);
void CmdDisk(Scene& scene, char* const* args);
void CmdDiskMag(Scene& scene, char* a1);

// DRIVE, EXIT, INPUT and animation
void CmdDrive(Scene& scene);
void CmdExit(Scene& scene);
void CmdInput(Scene& scene, char* a1);
void CmdContinue(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6, char* a7);
void CmdReverse(Scene& scene, char* a1, char* a2, char* a3, char* a4, char* a5, char* a6, char* a7);
void CmdRealtime(Scene& scene, char* a1, char* a2, char* a3);

// Script files and view images
void CmdStl(Scene& scene, char* a1);
void CmdGsave(Scene& scene, char* a1, char* a2);
