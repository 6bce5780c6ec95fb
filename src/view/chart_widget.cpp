#include "view/chart_widget.hpp"
