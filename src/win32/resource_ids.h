#pragma once

// Identifiers of the program's resources, shared by the resource script and
// the code.
#define IDI_VELMORA 1
#define IDI_ABOUT 2
