#pragma once

namespace mostarium {

// The units text compiled into the program, byte for byte the shipped
// Templates/Eenheden.rtf.
extern const char *const builtInEenhedenRtf;

}  // namespace mostarium
