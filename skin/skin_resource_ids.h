#pragma once

// Resource ids of the embedded skin library and catalogue (RCDATA), shared by the generated .rc
// and the program. Skin n (1..58) is QV_SKIN_LIBRARY_ID + n.
#define QV_SKIN_LIBRARY_ID 3000
