#pragma once

// How the tools' own Chinese texts reach a stream. Files and pipes always get
// GBK; a UTF-8 terminal gets UTF-8 so the texts read correctly there; a
// Windows console gets GBK turned into UTF-16 by the system at each flush.
enum class Encoding { Gbk, Utf8, WindowsConsole };
