#!/usr/bin/env python3
"""Writes the demo scene's meshes. Run from this folder; the output is committed.

Body frame of every mesh: x forward, y up, z to the right, metres, origin on the ground.
Triangles wind counter-clockwise seen from outside.
"""
import math


def box(x0, x1, y0, y1, z0, z1):
    """Twelve outward-facing triangles of an axis-aligned box."""
    p = [(x, y, z) for x in (x0, x1) for y in (y0, y1) for z in (z0, z1)]
    # index = 4*ix + 2*iy + iz
    quads = [
        (0, 1, 3, 2),  # x0 face (normal -x)
        (4, 6, 7, 5),  # x1 face (+x)
        (0, 4, 5, 1),  # y0 face (-y)
        (2, 3, 7, 6),  # y1 face (+y)
        (0, 2, 6, 4),  # z0 face (-z)
        (1, 5, 7, 3),  # z1 face (+z)
    ]
    tris = []
    for a, b, c, d in quads:
        tris.append((p[a], p[b], p[c]))
        tris.append((p[a], p[c], p[d]))
    return tris


def quad(a, b, c, d):
    return [(a, b, c), (a, c, d)]


def wheel(cx, cy, cz, radius, width, segments=12):
    """A closed cylinder along z."""
    tris = []
    z0, z1 = cz - width / 2, cz + width / 2
    ring = [(cx + radius * math.cos(2 * math.pi * k / segments), cy + radius * math.sin(2 * math.pi * k / segments))
            for k in range(segments)]
    for k in range(segments):
        (xa, ya), (xb, yb) = ring[k], ring[(k + 1) % segments]
        tris += quad((xa, ya, z0), (xb, yb, z0), (xb, yb, z1), (xa, ya, z1))
        tris.append(((cx, cy, z1), (xa, ya, z1), (xb, yb, z1)))
        tris.append(((cx, cy, z0), (xb, yb, z0), (xa, ya, z0)))
    return tris


def fmt(v):
    return f"{v:.4f}".rstrip("0").rstrip(".") if v != 0 else "0"


def write_obj(path, name, tris):
    with open(path, "w") as f:
        f.write(f"# {name}, made for the Kalmeno demo scene\no {name}\n")
        for t in tris:
            for v in t:
                f.write("v " + " ".join(fmt(c) for c in v) + "\n")
        for i in range(len(tris)):
            f.write(f"f {3 * i + 1} {3 * i + 2} {3 * i + 3}\n")


def normal(t):
    a, b, c = t
    u = [b[i] - a[i] for i in range(3)]
    w = [c[i] - a[i] for i in range(3)]
    n = [u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]]
    length = math.sqrt(sum(x * x for x in n)) or 1.0
    return [x / length for x in n]


def write_stl(path, name, tris):
    with open(path, "w") as f:
        f.write(f"solid {name}\n")
        for t in tris:
            f.write("  facet normal " + " ".join(fmt(c) for c in normal(t)) + "\n    outer loop\n")
            for v in t:
                f.write("      vertex " + " ".join(fmt(c) for c in v) + "\n")
            f.write("    endloop\n  endfacet\n")
        f.write(f"endsolid {name}\n")


def write_ply(path, name, tris):
    with open(path, "w") as f:
        f.write(f"ply\nformat ascii 1.0\ncomment {name}, made for the Kalmeno demo scene\n")
        f.write(f"element vertex {3 * len(tris)}\nproperty float x\nproperty float y\nproperty float z\n")
        f.write(f"element face {len(tris)}\nproperty list uchar int vertex_indices\nend_header\n")
        for t in tris:
            for v in t:
                f.write(" ".join(fmt(c) for c in v) + "\n")
        for i in range(len(tris)):
            f.write(f"3 {3 * i} {3 * i + 1} {3 * i + 2}\n")


# A small lorry: chassis, cab at the front, cargo box behind, 6 m long, 2.4 m wide.
body = box(-3.0, 3.0, 0.5, 1.2, -1.2, 1.2) + box(1.6, 3.0, 1.2, 2.7, -1.2, 1.2) + box(-3.0, 1.4, 1.2, 3.0, -1.2, 1.2)
write_obj("vehicle_body.obj", "vehicle_body", body)

# Windscreen and the two side windows of the cab, a hair outside its faces.
e = 0.005
windows = quad((3.0 + e, 1.9, -1.0), (3.0 + e, 1.9, 1.0), (3.0 + e, 2.55, 1.0), (3.0 + e, 2.55, -1.0))
windows += quad((1.8, 1.9, 1.2 + e), (1.8, 2.55, 1.2 + e), (2.8, 2.55, 1.2 + e), (2.8, 1.9, 1.2 + e))
windows += quad((1.8, 1.9, -1.2 - e), (2.8, 1.9, -1.2 - e), (2.8, 2.55, -1.2 - e), (1.8, 2.55, -1.2 - e))
write_obj("vehicle_windows.obj", "vehicle_windows", windows)

wheels = []
for x in (-2.0, 2.0):
    for z in (-1.05, 1.05):
        wheels += wheel(x, 0.5, z, 0.5, 0.3)
write_stl("vehicle_wheels.stl", "vehicle_wheels", wheels)

# A flat metal plate 3 m × 2 m, 2 cm thick, standing on its long edge, facing along ±z.
write_ply("plate.ply", "plate", box(-1.5, 1.5, 0.0, 2.0, -0.01, 0.01))

# A triangular trihedral corner reflector, 1.5 m edges, apex at the origin. Its edges run
# forward-left, forward-right and up, so it looks forward and 35.26 degrees up.
s = 1.5 / math.sqrt(2.0)
apex, left, right, up = (0.0, 0.0, 0.0), (s, 0.0, -s), (s, 0.0, s), (0.0, 1.5, 0.0)
# Inner faces towards the opening.
reflector = [(apex, right, left), (apex, up, right), (apex, left, up)]
write_stl("reflector.stl", "reflector", reflector)
