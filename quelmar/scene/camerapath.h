#pragma once
// Where the scene's camera is at a given time, in the scene frame (metres).
//
// An orbit circles a centre counter-clockwise seen from above at a fixed height over it; a
// waypoint path moves linearly between timed points and repeats after the last one. A path with
// one waypoint, or an orbit of period 0, stands still.

#include <Eigen/Dense>

#include <vector>

namespace quelmar {

struct CameraWaypoint {
    double time = 0.0; // seconds from the start of the loop
    Eigen::Vector3d position = Eigen::Vector3d::Zero();
};

class CameraPath {
public:
    static CameraPath orbit(const Eigen::Vector3d& centre, double radius, double height, double periodSeconds);
    static CameraPath waypoints(std::vector<CameraWaypoint> points); // sorted by time; must not be empty

    // The default: 100 m around the origin, 50 m up, once a minute.
    CameraPath();

    bool isOrbit() const { return waypoints_.empty(); }
    const Eigen::Vector3d& centre() const { return centre_; }
    double radius() const { return radius_; }
    double height() const { return height_; }
    double period() const { return period_; }
    const std::vector<CameraWaypoint>& waypointList() const { return waypoints_; }

    Eigen::Vector3d positionAt(double seconds) const;
    // Where the camera looks: an orbit's centre; the scene origin for a waypoint path.
    Eigen::Vector3d lookAt() const;

private:
    Eigen::Vector3d centre_ = Eigen::Vector3d::Zero();
    double radius_ = 100.0;
    double height_ = 50.0;
    double period_ = 60.0;
    std::vector<CameraWaypoint> waypoints_;
};

} // namespace quelmar
