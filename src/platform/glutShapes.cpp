// The solid shapes drawn through freeglut.
#include "platform/glutShapes.h"

#include <GL/freeglut.h>

void glutShapeSphere(double r, int slices, int stacks) { glutSolidSphere(r, slices, stacks); }

void glutShapeTeapot(double size) { glutSolidTeapot(size); }
