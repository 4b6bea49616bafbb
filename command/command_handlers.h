// The handlers of the command language, one per command word. Each is called
// with the Scene and its arguments: texts, null where an argument is omitted
// or absent; the commands with a variable argument list get all ten slots.
// A handler reports failure only through StkSetError.
#pragma once

struct Scene;

// Time and place
void CmdLocate(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
               const char* a5);
void CmdDate(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
             const char* a5, const char* a6, const char* a7);
void CmdStime(Scene& scene, const char* a1, const char* a2);
void CmdInctime(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
                const char* a5, const char* a6);
void CmdDectime(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
                const char* a5, const char* a6);
void CmdPeriod(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
               const char* a5, const char* a6);
void CmdTimesys(Scene& scene, const char* a1);

// View mode and magnitudes
void CmdMode(Scene& scene, const char* a1);
void CmdMag(Scene& scene, const char* a1, const char* a2);
// MAG's kinds, by the keyword after MAG; value is the magnitude (for
// NEBULALIMIT 1 or another integer), null when omitted.
void StkMagStar(Scene& scene, const char* value);
void StkMagStarname(Scene& scene, const char* value);
void StkMagNebulamin(Scene& scene, const char* value);
void StkMagNebulamax(Scene& scene, const char* value);
void StkMagNebulalimit(Scene& scene, const char* value);
void CmdIncmag(Scene& scene, const char* a1, const char* a2);
void CmdDecmag(Scene& scene, const char* a1, const char* a2);
void CmdStarsize(Scene& scene, const char* a1);
void CmdStardata(Scene& scene, const char* a1);

// View
void CmdInit(Scene& scene);
void CmdMirror(Scene& scene, const char* a1);
void CmdView(Scene& scene, const char* const* args);
void CmdZoom(Scene& scene, const char* a1, const char* a2);
void CmdLook(Scene& scene, const char* a1, const char* a2, const char* a3);
void CmdTrack(Scene& scene, const char* a1, const char* a2, const char* a3);
void CmdBlink(Scene& scene, const char* a1, const char* a2, const char* a3);
void CmdSolOffset(Scene& scene, const char* a1, const char* a2, const char* a3);

// Display options and data files
void CmdShow(Scene& scene, const char* const* args);
void CmdHide(Scene& scene, const char* const* args);
void CmdToggle(Scene& scene, const char* const* args);
void CmdGrid(Scene& scene, const char* a1);
void CmdLoad(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4);
void CmdUnload(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4);
void CmdReal(Scene& scene, const char* const* args);
void CmdOutline(Scene& scene, const char* const* args);
void CmdDisk(Scene& scene, const char* const* args);
void CmdDiskMag(Scene& scene, const char* a1);

// DRIVE, EXIT, INPUT and animation
void CmdDrive(Scene& scene);
void CmdExit(Scene& scene);
void CmdInput(Scene& scene, const char* a1);
void CmdContinue(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
                 const char* a5, const char* a6, const char* a7);
void CmdReverse(Scene& scene, const char* a1, const char* a2, const char* a3, const char* a4,
                const char* a5, const char* a6, const char* a7);
void CmdRealtime(Scene& scene, const char* a1, const char* a2, const char* a3);

// Script files and view images
void CmdStl(Scene& scene, const char* a1);
void CmdGsave(Scene& scene, const char* a1, const char* a2);
