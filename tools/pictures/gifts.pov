// Wrapped gift boxes on a studio sweep, rendered as a product-style photograph.
// Rendered larger than needed and scaled down afterwards, which gives cleaner
// edges than stronger anti-aliasing for the same time.
#version 3.7;

global_settings {
  assumed_gamma 1.0
  max_trace_level 8
  radiosity {
    pretrace_start 0.08 pretrace_end 0.01
    count 60 nearest_count 5 error_bound 1.2
    recursion_limit 1 low_error_factor 0.5
    gray_threshold 0 minimum_reuse 0.015 brightness 1
  }
}

camera {
  location <0.3, 3.4, -9.4>
  look_at  <0.05, 0.95, 0>
  right x * 1.5
  angle 41
  // A slightly shallow focus puts the back of the set gently out of focus,
  // as a real lens at a wide aperture would.
  aperture 0.14
  blur_samples 24
  focal_point <-0.6, 0.8, -0.8>
  confidence 0.9
  variance 1/512
}

// Key light: a large soft box up and to the left, casting soft shadows.
light_source {
  <-7, 9, -6>
  color rgb <1.0, 0.97, 0.92> * 1.25
  area_light x * 3, z * 3, 6, 6
  adaptive 1
  circular
  orient
}
// Fill from the right, no shadows so it only lifts the dark sides.
light_source {
  <8, 4, -7>
  color rgb <0.85, 0.9, 1.0> * 0.25
  shadowless
}
// Rim light from behind for a little edge separation.
light_source {
  <2, 7, 9>
  color rgb 0.35
  area_light x * 2, y * 2, 3, 3
  adaptive 1
}

// Seamless backdrop: floor curving up into a back wall.
#declare SweepR = 4;
#declare SweepZ = 2.2;
#declare Backdrop = union {
  plane { y, 0 clipped_by { plane { z, SweepZ } } }
  difference {
    box { <-60, 0, SweepZ>, <60, SweepR, SweepZ + SweepR> }
    cylinder { <-61, SweepR, SweepZ>, <61, SweepR, SweepZ>, SweepR }
  }
  plane { -z, -(SweepZ + SweepR) clipped_by { plane { -y, -SweepR } } }
  pigment {
    // Clamped rather than a plain gradient, which would wrap round at the floor.
    function { min(1, max(0, y / 9)) }
    color_map {
      [0.0 color rgb <0.62, 0.57, 0.52>]
      [1.0 color rgb <0.34, 0.38, 0.43>]
    }
  }
  finish { diffuse 0.85 ambient 0 }
}
object { Backdrop }

#declare PaperFinish = finish { diffuse 0.8 specular 0.25 roughness 0.02 ambient 0 }
#declare SatinFinish = finish { diffuse 0.75 specular 0.6 roughness 0.008 reflection 0.03 ambient 0 }
#declare FoilFinish  = finish { diffuse 0.45 specular 0.9 roughness 0.004 metallic reflection 0.25 ambient 0 }

// A box with softly rounded edges, standing on the floor, W x H x D.
#macro Carton(W, H, D, Round)
  superellipsoid {
    <Round, Round>
    scale <W / 2, H / 2, D / 2>
    translate y * H / 2
  }
#end

// One loop of a bow: a flat ribbon band bent into an ellipse that starts at the knot.
#macro BowLoop(Len, Width, Turn, Lift, Tex)
  torus {
    Len / 2, 0.006
    scale <1, Width / 0.012, 1>
    rotate x * 90
    scale <1, 0.62, 1>
    translate x * Len / 2 * 0.92
    rotate z * Lift
    rotate y * Turn
    texture { Tex }
  }
#end

// A ribbon tail lying on the lid and curling over the edge a little.
#macro Tail(Len, Width, Turn, Tex)
  box {
    <0, -0.004, -Width / 2>, <Len, 0.004, Width / 2>
    rotate z * -4
    rotate y * Turn
    texture { Tex }
  }
#end

// A wrapped gift: paper, two crossing ribbons, a bow on the lid.
#macro Gift(W, H, D, Paper, Ribbon, RW, BowSize, BowTurn)
  #local E = 0.012;
  union {
    object { Carton(W, H, D, 0.06) texture { Paper } }
    box { <-W / 2 - E, -0.001, -RW / 2>, <W / 2 + E, H + E, RW / 2> texture { Ribbon } }
    box { <-RW / 2, -0.001, -D / 2 - E>, <RW / 2, H + E, D / 2 + E> texture { Ribbon } }
    union {
      BowLoop(BowSize, RW * 0.95, BowTurn + 0, 38, Ribbon)
      BowLoop(BowSize, RW * 0.95, BowTurn + 180, 38, Ribbon)
      BowLoop(BowSize * 0.82, RW * 0.9, BowTurn + 70, 48, Ribbon)
      BowLoop(BowSize * 0.82, RW * 0.9, BowTurn + 250, 48, Ribbon)
      Tail(BowSize * 0.95, RW * 0.9, BowTurn + 25, Ribbon)
      Tail(BowSize * 0.85, RW * 0.9, BowTurn + 150, Ribbon)
      sphere { 0, 1 scale <RW * 0.75, RW * 0.55, RW * 0.75> translate y * RW * 0.15 texture { Ribbon } }
      translate y * (H + E)
    }
  }
#end

#declare RedPaper = texture {
  pigment { color rgb <0.42, 0.012, 0.018> }
  normal { granite 0.04 scale 0.3 }
  finish { PaperFinish }
}
#declare BluePaper = texture {
  pigment {
    // Fine diagonal pinstripes on a deep blue.
    gradient x color_map {
      [0.00 color rgb <0.02, 0.05, 0.30>]
      [0.82 color rgb <0.02, 0.05, 0.30>]
      [0.82 color rgb <0.20, 0.30, 0.70>]
      [1.00 color rgb <0.20, 0.30, 0.70>]
    }
    scale 0.16 rotate y * 45
  }
  finish { PaperFinish }
}
#declare GreenPaper = texture {
  pigment {
    gradient y color_map {
      [0.00 color rgb <0.015, 0.20, 0.06>]
      [0.50 color rgb <0.015, 0.20, 0.06>]
      [0.50 color rgb <0.90, 0.92, 0.86>]
      [0.62 color rgb <0.90, 0.92, 0.86>]
      [0.62 color rgb <0.015, 0.20, 0.06>]
      [1.00 color rgb <0.015, 0.20, 0.06>]
    }
    scale 0.34 rotate z * 30
  }
  finish { PaperFinish }
}
#declare GoldPaper = texture {
  pigment { color rgb <0.85, 0.55, 0.10> }
  normal { bumps 0.05 scale 0.04 }
  finish { FoilFinish }
}
#declare PurplePaper = texture {
  pigment {
    // Polka dots: distance to the nearest point of a square lattice.
    function { min(1, 4 * sqrt(pow(x - floor(x + 0.5), 2) + pow(z - floor(z + 0.5), 2) + pow(y - floor(y + 0.5), 2))) }
    color_map {
      [0.00 color rgb <0.95, 0.86, 0.95>]
      [0.62 color rgb <0.95, 0.86, 0.95>]
      [0.66 color rgb <0.20, 0.03, 0.28>]
      [1.00 color rgb <0.20, 0.03, 0.28>]
    }
    scale 0.13
  }
  finish { PaperFinish }
}
#declare GoldRibbon   = texture { pigment { color rgb <0.95, 0.66, 0.16> } finish { FoilFinish } }
#declare SilverRibbon = texture { pigment { color rgb <0.86, 0.88, 0.92> } finish { FoilFinish } }
#declare RedRibbon    = texture { pigment { color rgb <0.60, 0.01, 0.03> } finish { SatinFinish } }
#declare WhiteRibbon  = texture { pigment { color rgb <0.96, 0.95, 0.93> } finish { SatinFinish } }
#declare GreenRibbon  = texture { pigment { color rgb <0.05, 0.45, 0.18> } finish { SatinFinish } }

// Big red box at the back.
object { Gift(2.1, 1.55, 1.7, RedPaper, GoldRibbon, 0.22, 0.80, 20) rotate y * 14 translate <-0.35, 0, 1.05> }
// Tall striped green box on the right.
object { Gift(1.15, 2.05, 1.15, GreenPaper, RedRibbon, 0.17, 0.58, -10) rotate y * -28 translate <2.05, 0, 0.55> }
// Blue pinstriped box front left.
object { Gift(1.35, 0.95, 1.3, BluePaper, SilverRibbon, 0.17, 0.58, 35) rotate y * -22 translate <-2.15, 0, -0.75> }
// Small gold foil box front right.
object { Gift(0.85, 0.62, 0.85, GoldPaper, RedRibbon, 0.13, 0.44, 10) rotate y * 38 translate <1.05, 0, -1.45> }
// Little purple polka-dot box in front of the red one.
object { Gift(0.95, 0.55, 0.8, PurplePaper, WhiteRibbon, 0.13, 0.42, -30) rotate y * -8 translate <-0.45, 0, -1.35> }
