#include "view/conversions.hpp"
