(Dravenor NC program)
(job: washers.nst)
(layout 1 of 1: sheet plate.shp, 1 sheet)
(material S235, thickness 10, kerf 3 mm, feed 1500 mm/min, pierce delay 0.8 s)
(part 1: washer [big].shp)
(part 2: plate.shp)
(estimated time per sheet 0 min 22 s: cut 481.0 mm, rapids 201.4 mm, 3 pierces)
G17 G40 G49 G80
G21
G90
(cut 1: part 1 washer [big].shp, hole)
G0 X47.5 Y56
M3
G4 P0.8
G3 X41.5 Y50 I0 J-6 F1500
G3 X41.5 Y50 I8.5 J0
G3 X41.559 Y49.002 I8.5 J0
G1 X44.538 Y49.354
M5
(cut 2: part 1 washer [big].shp, outline)
G0 X12.5 Y44
M3
G4 P0.8
G3 X18.5 Y50 I0 J6 F1500
G2 X18.5 Y50 I31.5 J0
G2 X18.516 Y51 I31.5 J0
G1 X15.517 Y51.095
M5
(cut 3: part 2 plate.shp, outline)
G0 X110.454 Y61.061
M3
G4 P0.8
G3 X118.939 Y61.061 I4.243 J4.243 F1500
G2 X120 Y61.5 I1.061 J-1.061
G1 X170 Y61.5
G2 X171.5 Y60 I0 J-1.5
G1 X171.5 Y20
G2 X170 Y18.5 I-1.5 J0
G1 X120 Y18.5
G2 X118.5 Y20 I0 J1.5
G1 X118.5 Y60
G2 X118.939 Y61.061 I1.5 J0
G2 X119.822 Y61.489 I1.061 J-1.061
G1 X119.467 Y64.468
M5
M2
