// The step box: a small modeless box of ten rows, each moving the Scene's
// date back (minus) or forward (plus) by a fixed interval, over and over
// while a button is held. Start-up builds it hidden; the Options menu's
// "Step box" shows and hides it.
#pragma once

struct Scene;

// One button's command and the Scene it runs on.
struct StepCommand {
    const char* command;
    Scene* scene;          // filled by CreateStepBox
};

// Two entries per row, minus first: the DECTIME and INCTIME texts of 1
// minute, 5, 10 and 30 minutes, 1 and 3 hours, 1 and 10 days, 1 month, 1
// year.
constexpr int kStepCommandCount = 20;
extern StepCommand StepCommandTable[kStepCommandCount];

// Builds the form dialog "StepBox" on the toplevel shell (kept in
// gAppEnv->stepBox), its rows "StepForm0".."StepForm9" with the buttons
// "ButtonMinus1Min", "ButtonPlus1Min", ... and the labels "Label1Min", ...
// between them. Called once by start-up, after the shell is realized.
void CreateStepBox(Scene* scene);

// Shows the box (on not 0) or hides it.
void ShowStepBox(Scene* scene, int on);
