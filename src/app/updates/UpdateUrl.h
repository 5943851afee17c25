#pragma once
// Which addresses the updater talks to.

#include <QUrl>

// The version list on the maker's server.
QUrl defaultVersionListUrl();

// HTTPS anywhere; plain HTTP only to this machine (127.0.0.1, ::1,
// localhost), where nothing travels over a network. Nothing else.
bool isAllowedUpdateUrl(const QUrl& url);
