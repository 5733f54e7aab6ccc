// Placeholder until the container lands.
#include "altium_container/container.hpp"
#include "altium_container/records.hpp"
