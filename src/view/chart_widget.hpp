// The painted chart.
#pragma once
