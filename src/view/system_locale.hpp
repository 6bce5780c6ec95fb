// Fills the process-wide number format from the user's regional settings.
#pragma once
