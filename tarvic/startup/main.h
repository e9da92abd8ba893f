#pragma once
#include <memory>

#include "tarvic/app.h"
#include "tarvic/mainwindow/form1.h"

// The program's start: one copy per session, the main window loaded, placed
// and shown, then the command line. Gives back no window when another copy
// runs already (the process has been told to end).
std::unique_ptr<Form1> Main(App& app);

// Runs the exit the command line asks for through the countdown dialog.
void cmdAction(App& app, Form1& form1);

// A stored window edge: its leading number, never negative.
int windowEdge(const std::string& stored);
