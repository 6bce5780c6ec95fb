#include "view/system_locale.hpp"
