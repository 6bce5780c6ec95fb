#include "view/error_report.hpp"
