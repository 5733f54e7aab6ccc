#include "altium_schlib/schlib.hpp"
