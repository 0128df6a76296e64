// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The single-instance marker: a name that exists while an instance of the
// same user runs on this machine. Taking it is atomic, so of two instances
// started at the same moment exactly one gets it. It is held until the
// process ends and released by the system then, also when the process is
// killed.
enum class MarkerState {
    Taken,         // this process holds the marker now
    AlreadyTaken,  // another process holds it
    Unavailable,   // it could not be created; run as if taken
};

// Takes the marker of this name, for the rest of the process.
MarkerState takeSingleInstanceMarker(const QString& name);

// The local socket through which a second start asks the running instance
// to come forward: beside the marker of this name, so per user and machine.
// Empty when the marker has no place either.
QString singleInstanceSocket(const QString& name);
