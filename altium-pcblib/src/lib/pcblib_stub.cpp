#include "altium_pcblib/pcblib.hpp"
