#include "view/error_box.hpp"
