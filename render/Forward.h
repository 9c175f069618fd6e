#pragma once

// The rendering types that the model names without needing their definitions.

class TInfoREG;
class TRasterBase;
