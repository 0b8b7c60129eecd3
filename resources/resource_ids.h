#pragma once

// Resource ids shared by app.rc and the program.
#define IDI_QUELVANE 1
