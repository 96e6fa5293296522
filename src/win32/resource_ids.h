#pragma once

// Identifiers of the program's resources, shared by the resource script and
// the code.
#define IDI_VELMORA 1
#define IDI_ABOUT 2
#define IDB_BOARD_DISK 101
#define IDB_CURSOR 102
#define IDB_DISK_IN_HAND 103
