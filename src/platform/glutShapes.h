// The solid shapes GLUT draws for us (spheres for bullets and fireballs, the grenade's teapot).
#pragma once

// A sphere of radius r (world units) about the current origin, with normals.
void glutShapeSphere(double r, int slices, int stacks);
// GLUT's teapot of the given size about the current origin.
void glutShapeTeapot(double size);
