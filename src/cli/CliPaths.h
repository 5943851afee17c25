#pragma once
// mfs380a-cli paths: where this installation finds and keeps its files.

// Prints one line per place, "NAME PATH"; returns the exit status.
int runPathsCommand();
