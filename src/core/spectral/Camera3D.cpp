#include "Camera3D.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

Vec3 sub(const Vec3& a, const Vec3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 add(const Vec3& a, const Vec3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 scale(const Vec3& a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}
double dot(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 normalised(const Vec3& a)
{
    const double len = std::sqrt(dot(a, a));
    return len > 0 ? scale(a, 1.0 / len) : Vec3{0, 0, 1};
}
// a turned about the unit axis by degrees (Rodrigues).
Vec3 turned(const Vec3& a, const Vec3& axis, double degrees)
{
    const double r = degrees * kPi / 180.0, c = std::cos(r), s = std::sin(r);
    return add(add(scale(a, c), scale(cross(axis, a), s)), scale(axis, dot(axis, a) * (1 - c)));
}

std::size_t bit(Key3D key)
{
    return static_cast<std::size_t>(key);
}

} // namespace

Mat4 Mat4::identity()
{
    Mat4 r;
    for (int i = 0; i < 4; ++i)
        r.at(i, i) = 1.0;
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            double s = 0;
            for (int k = 0; k < 4; ++k)
                s += a.at(row, k) * b.at(k, col);
            r.at(row, col) = s;
        }
    return r;
}

Vec3 Mat4::transformPoint(const Vec3& p) const
{
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double out[4] = {};
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k)
            out[row] += at(row, k) * in[k];
    const double w = out[3] != 0 ? out[3] : 1.0;
    return {out[0] / w, out[1] / w, out[2] / w};
}

namespace {

// Rotation in the plane of axes a → b by degrees (a turns toward b).
Mat4 planeRotation(int a, int b, double degrees)
{
    const double r = degrees * kPi / 180.0;
    Mat4 m = Mat4::identity();
    m.at(a, a) = std::cos(r);
    m.at(b, a) = std::sin(r);
    m.at(a, b) = -std::sin(r);
    m.at(b, b) = std::cos(r);
    return m;
}

} // namespace

Mat4 RotationX(double degrees)
{
    return planeRotation(1, 2, degrees);
}
Mat4 RotationY(double degrees)
{
    return planeRotation(2, 0, degrees);
}
Mat4 RotationZ(double degrees)
{
    return planeRotation(0, 1, degrees);
}

Mat4 PerspectiveFovLH(double fovY, double aspect, double zn, double zf)
{
    // Clip w is the distance in front of the eye (view z); depth runs −1 … +1 from zn to zf.
    const double yScale = 1.0 / std::tan(fovY / 2.0);
    Mat4 m;
    m.at(0, 0) = yScale / (aspect > 0 ? aspect : 1.0);
    m.at(1, 1) = yScale;
    m.at(2, 2) = (zf + zn) / (zf - zn);
    m.at(2, 3) = -2.0 * zf * zn / (zf - zn);
    m.at(3, 2) = 1.0;
    return m;
}

Mat4 LookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up)
{
    const Vec3 z = normalised(sub(target, eye));
    Vec3 x = cross(up, z);
    if (dot(x, x) < 1e-18) // looking along up: any perpendicular will do
        x = cross(Vec3{0, 0, 1}, z);
    x = normalised(x);
    const Vec3 y = cross(z, x);
    Mat4 m = Mat4::identity();
    const Vec3 axes[3] = {x, y, z};
    for (int row = 0; row < 3; ++row) {
        m.at(row, 0) = axes[row].x;
        m.at(row, 1) = axes[row].y;
        m.at(row, 2) = axes[row].z;
        m.at(row, 3) = -dot(axes[row], eye);
    }
    return m;
}

// --- KeyState3D -------------------------------------------------------------------------------

void KeyState3D::press(Key3D key)
{
    m_held.set(bit(key));
}
void KeyState3D::release(Key3D key)
{
    m_held.reset(bit(key));
}
void KeyState3D::pressOneFrame(Key3D key)
{
    m_oneFrame.set(bit(key));
}
void KeyState3D::releaseAll()
{
    m_held.reset();
    m_oneFrame.reset();
}
bool KeyState3D::held(Key3D key) const
{
    return m_held.test(bit(key)) || m_oneFrame.test(bit(key));
}
bool KeyState3D::any() const
{
    return m_held.any() || m_oneFrame.any();
}
void KeyState3D::endFrame()
{
    m_oneFrame.reset();
}

void KeyState3D::drag(int dx, int dy, bool bRightButton)
{
    const Key3D left = bRightButton ? Key3D::Left : Key3D::NumLeft;
    const Key3D right = bRightButton ? Key3D::Right : Key3D::NumRight;
    const Key3D up = bRightButton ? Key3D::Up : Key3D::NumUp;
    const Key3D down = bRightButton ? Key3D::Down : Key3D::NumDown;
    if (dx < 0)
        pressOneFrame(left);
    else if (dx > 0)
        pressOneFrame(right);
    if (dy < 0)
        pressOneFrame(up);
    else if (dy > 0)
        pressOneFrame(down);
}

// --- Camera3D ---------------------------------------------------------------------------------

Camera3D::Camera3D(const Vec3& eye, const Vec3& target)
    : m_startEye(eye), m_startTarget(target), m_eye(eye), m_target(target)
{
}

void Camera3D::reset()
{
    *this = Camera3D(m_startEye, m_startTarget);
}

namespace {

// −1, 0 or +1 from a pair of opposite inputs.
double axis(const KeyState3D& keys, Key3D minus, Key3D plus)
{
    return (keys.held(plus) ? 1.0 : 0.0) - (keys.held(minus) ? 1.0 : 0.0);
}

double smoothed(double v, double input)
{
    return Camera3D::kVelocityKeep * v + (1.0 - Camera3D::kVelocityKeep) * input;
}

} // namespace

void Camera3D::advance(const KeyState3D& keys, double elapsedSeconds)
{
    m_ax += kRotationStep * axis(keys, Key3D::O, Key3D::P);
    m_ay += kRotationStep * axis(keys, Key3D::K, Key3D::L);
    m_az += kRotationStep * axis(keys, Key3D::M, Key3D::N);

    const Vec3 shiftInput{axis(keys, Key3D::X, Key3D::C) + axis(keys, Key3D::NumLeft, Key3D::NumRight),
                          axis(keys, Key3D::V, Key3D::B) + axis(keys, Key3D::NumDown, Key3D::NumUp),
                          axis(keys, Key3D::G, Key3D::H)};
    m_shiftVelocity = {smoothed(m_shiftVelocity.x, shiftInput.x), smoothed(m_shiftVelocity.y, shiftInput.y),
                       smoothed(m_shiftVelocity.z, shiftInput.z)};
    // Moving forward is the one input of double strength, so that the eye gets somewhere.
    m_forwardVelocity = smoothed(m_forwardVelocity, 2.0 * axis(keys, Key3D::Down, Key3D::Up));
    m_turnVelocity = smoothed(m_turnVelocity, axis(keys, Key3D::Left, Key3D::Right));
    m_rollVelocity = smoothed(m_rollVelocity, axis(keys, Key3D::Num7, Key3D::Num9));
    m_zoomVelocity = smoothed(m_zoomVelocity, axis(keys, Key3D::Minus, Key3D::Plus));

    const double step = kStepPerFrame * (elapsedSeconds > 0 ? elapsedSeconds / kFrameSeconds : 0.0);
    const Vec3 forward = normalised(sub(m_target, m_eye));
    const Vec3 right = normalised(cross(Vec3{0, 1, 0}, forward));
    const Vec3 up = cross(forward, right);
    // Shifts move eye and target together in the eye's own right/up/forward directions.
    const Vec3 shift = add(add(scale(right, m_shiftVelocity.x), scale(up, m_shiftVelocity.y)),
                           scale(forward, m_shiftVelocity.z));
    m_eye = add(m_eye, scale(shift, step));
    m_target = add(m_target, scale(shift, step));
    // Forward and back move the eye along its direction, the target goes along.
    const Vec3 ahead = scale(forward, m_forwardVelocity * step);
    m_eye = add(m_eye, ahead);
    m_target = add(m_target, ahead);
    // Turning swings the target about the eye's vertical (10 degrees per unit of step).
    const Vec3 look = sub(m_target, m_eye);
    m_target = add(m_eye, turned(look, Vec3{0, 1, 0}, 10.0 * m_turnVelocity * step));
    m_roll += 10.0 * m_rollVelocity * step;
    m_zoom *= std::exp(0.5 * m_zoomVelocity * step);
}

void Camera3D::wheel(int notches, bool bShift, bool bCtrl)
{
    const double turn = kRotationStep * notches;
    if (bShift)
        m_ax += turn;
    else if (bCtrl)
        m_ay += turn;
    else
        m_az += turn;
}

bool Camera3D::moving() const
{
    const double eps = 1e-3;
    return std::abs(m_shiftVelocity.x) > eps || std::abs(m_shiftVelocity.y) > eps ||
           std::abs(m_shiftVelocity.z) > eps || std::abs(m_forwardVelocity) > eps ||
           std::abs(m_turnVelocity) > eps || std::abs(m_rollVelocity) > eps || std::abs(m_zoomVelocity) > eps;
}

Mat4 Camera3D::world() const
{
    Mat4 s = Mat4::identity();
    for (int i = 0; i < 3; ++i)
        s.at(i, i) = m_zoom;
    return s * RotationZ(m_az) * RotationY(m_ay) * RotationX(m_ax);
}

Mat4 Camera3D::view() const
{
    const Vec3 forward = normalised(sub(m_target, m_eye));
    const Vec3 up = turned(Vec3{0, 1, 0}, forward, m_roll);
    return LookAtLH(m_eye, m_target, up);
}

Mat4 Camera3D::projection(double aspect)
{
    return PerspectiveFovLH(kPi / 3.0, aspect, 0.1, 100.0);
}
