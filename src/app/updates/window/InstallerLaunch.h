#pragma once
// Starting a downloaded installer and showing it in the file manager.
//
// Installers by platform: on Windows the ".exe", started in its folder. On
// Linux a ".run" or ".AppImage" is made executable and started in its folder
// (without a shell); a ".deb" is handed to the desktop's opener (the software
// installer that handles packages).

#include <QString>

// False with a reason in *error when the installer cannot be started.
bool runInstaller(const QString& file, QString* error = nullptr);

// Opens the file's folder in the desktop's file manager with the file
// selected where the file manager offers that (org.freedesktop.FileManager1
// on Linux, Explorer's /select on Windows), else just the folder.
void showInFileManager(const QString& file);
