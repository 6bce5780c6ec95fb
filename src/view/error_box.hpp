// The modal box that reports an error escaped from a handler.
#pragma once
