#pragma once

// The code page in which the model's byte texts are encoded. The Linux build
// always works in Shift-JIS (code page 932), whatever the process locale is,
// so the answer is fixed.
int GetAnsiCodePage();
