#include "view/chart_layout.hpp"
