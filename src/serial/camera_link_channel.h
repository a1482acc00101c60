#pragma once

// The serial channels of Camera Link frame grabbers, one class per generation
// of the grabber makers' serial libraries. They have no thread of their own.
#include "serial/camera_link_11_channel.h"
#include "serial/camera_link_2000_channel.h"
#include "serial/camera_link_2001_channel.h"
