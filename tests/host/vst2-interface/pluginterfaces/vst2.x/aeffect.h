#pragma once

#include <pluginterfaces/vst2.x/aeffectx.h>
