#include "RadioPath.h"

RadioPath::~RadioPath() = default;
