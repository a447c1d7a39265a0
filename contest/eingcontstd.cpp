#include "contest/eingcontstd.h"
