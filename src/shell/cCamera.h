// The level's view: a ground point glided towards a target, a clamped zoom, a
// tilt and a turn, applied to the model-view matrix before drawing, and the ground
// point under a window pixel found from it without GL.
#pragma once

class cCamera {
public:
    // The game's perspective projection, which drawing and picking must share.
    static constexpr double fieldOfView = 45.0;  // vertical, degrees
    static constexpr double nearPlane = 1.0;
    static constexpr double farPlane = 1000.0;

    cCamera() { reset(); }

    void reset();
    // Sets only the glide target; update moves the position there.
    void translateTo(float x, float y);
    // Pans at once by (dx, dy) turned by angleZ; the target follows, so a later
    // update does not undo the pan.
    void translate(float dx, float dy);
    // No limit: groundPoint copes with a view tilted past the horizon.
    void rotX(int degrees);
    // No wrap: angleZ grows without bound.
    void rotZ(float degrees);
    // Adds to z and clamps it to [zMin, zMax].
    void zoom(int amount);
    // To zMin: the whole field, or most of it, in view.
    void zoomOutFully() { z = zMin; }
    // Glides at a constant speed towards the target; ms is the elapsed time.
    void update(int ms);
    // Multiplies the current matrix by the view transform (cCameraRender.cpp).
    void render() const;
    // The point of the ground plane z = 0 under window pixel (px, py), counted from the
    // top left of a winW x winH window, in the coordinates of a mapW x mapH map drawn
    // centred on the origin, through the game's projection. When the pixel's ray misses
    // the plane (seen edge-on, above the horizon, or beyond 1e6 units) gx and gy are left
    // as they were and the answer is false, so a caller always holds a finite point.
    bool groundPoint(double px, double py, int winW, int winH, float mapW, float mapH, float& gx,
                     float& gy) const;

    // Every field alike: a view that compares equal shows every pixel over the same point.
    bool operator==(const cCamera&) const = default;

    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    float getXTarget() const { return xTarget; }
    float getYTarget() const { return yTarget; }
    float getAngleX() const { return angleX; }
    float getAngleZ() const { return angleZ; }
    float getAngleZRad() const { return angleZRad; }

private:
    float x, y;              // world translation; the view centres on (-x, -y, 0)
    float z;                 // distance along the view axis, negative, in [zMin, zMax]
    float xTarget, yTarget;  // where update glides x, y to
    float speed;             // world units per millisecond
    float zMax;              // nearest allowed distance
    float zMin;              // farthest allowed distance
    float angleZ;            // turn about z, degrees
    float angleZRad;         // angleZ in radians, kept in step by rotZ and reset
    float angleX;            // tilt about x, degrees
};
