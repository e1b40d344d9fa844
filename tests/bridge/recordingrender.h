#pragma once
// The reference host's render object, with a log of the marker and box calls made on it.

#include <hostrender.h>

#include <string>
#include <vector>

class RecordingRender : public hostsdk::IKalmenoRender {
public:
    struct Call {
        std::string name;
        int id;
        int value;
        bool operator==(const Call& other) const
        {
            return name == other.name && id == other.id && value == other.value;
        }
    };

    hostsdk::HRESULT ClearPoints() override { return log("ClearPoints", -1, 0), host.ClearPoints(); }
    hostsdk::HRESULT AddPoint(const hostsdk::TRenderPoint* point, std::int32_t* index) override
    {
        return log("AddPoint", -1, 0), host.AddPoint(point, index);
    }
    hostsdk::HRESULT SetPointPosition(std::int32_t index, const double xyz[3]) override
    {
        return log("SetPointPosition", index, 0), host.SetPointPosition(index, xyz);
    }
    hostsdk::HRESULT SetPointState(std::int32_t index, std::int32_t state) override
    {
        return log("SetPointState", index, state), host.SetPointState(index, state);
    }
    hostsdk::HRESULT SetPointColor(std::int32_t index, const float rgba[4]) override
    {
        return log("SetPointColor", index, 0), host.SetPointColor(index, rgba);
    }
    hostsdk::HRESULT SetPointSize(std::uint32_t size) override
    {
        return log("SetPointSize", -1, static_cast<int>(size)), host.SetPointSize(size);
    }
    hostsdk::HRESULT SetDepthMode(hostsdk::VARIANT_BOOL on) override { return host.SetDepthMode(on); }
    hostsdk::HRESULT CreateBox(std::int32_t* id) override { return log("CreateBox", -1, 0), host.CreateBox(id); }
    hostsdk::HRESULT SetBoxGeometry(std::int32_t id, const double lla[3], const double ypr[3],
                                    const double size[3]) override
    {
        return log("SetBoxGeometry", id, 0), host.SetBoxGeometry(id, lla, ypr, size);
    }
    hostsdk::HRESULT SetBoxColor(std::int32_t id, const float rgba[4]) override
    {
        return log("SetBoxColor", id, 0), host.SetBoxColor(id, rgba);
    }
    hostsdk::HRESULT SetBoxState(std::int32_t id, std::int32_t state) override
    {
        return log("SetBoxState", id, state), host.SetBoxState(id, state);
    }
    hostsdk::HRESULT IsTriangleInBox(std::int32_t id, const double a[3], const double b[3], const double c[3],
                                     hostsdk::VARIANT_BOOL* inside) override
    {
        return host.IsTriangleInBox(id, a, b, c, inside);
    }
    hostsdk::HRESULT SceneToBox(std::int32_t id, double x, double y, double z, double* ox, double* oy,
                                double* oz) override
    {
        return host.SceneToBox(id, x, y, z, ox, oy, oz);
    }
    hostsdk::HRESULT BoxToScene(std::int32_t id, double x, double y, double z, double* ox, double* oy,
                                double* oz) override
    {
        return host.BoxToScene(id, x, y, z, ox, oy, oz);
    }
    hostsdk::HRESULT GetViewAngles(std::int32_t id, const double xyz[3], double* azimuth,
                                   double* elevation) override
    {
        if (scriptedAngles) {
            *azimuth = scriptedAzimuth;
            *elevation = scriptedElevation;
            return 0;
        }
        return host.GetViewAngles(id, xyz, azimuth, elevation);
    }

    // Calls named `name` only.
    std::vector<Call> callsNamed(const std::string& name) const
    {
        std::vector<Call> out;
        for (const auto& call : calls)
            if (call.name == name)
                out.push_back(call);
        return out;
    }

    quelmar::HostRender host;
    std::vector<Call> calls;
    bool scriptedAngles = false;
    double scriptedAzimuth = 0.0;
    double scriptedElevation = 0.0;

private:
    void log(const char* name, int id, int value) { calls.push_back({name, id, value}); }
};
