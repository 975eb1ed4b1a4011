Kalde 2000 KDSpice circuit element profiles
Each element: header, parameter lines (index,name), extra lines (netlist templates).

*R,Resistor,RES,STD,3,1
1,Resistance
2,TC1
3,TC2
R%n %1 %2 {Resistance} TC={TC1},{TC2}

*C,Capacitor,CAP,STD,2,1
1,Capacitance
2,Initial voltage
C%n %1 %2 {Capacitance} IC={Initial voltage}

*L,Inductor,IND,STD,2,1
1,Inductance
2,Initial current
L%n %1 %2 {Inductance} IC={Initial current}

*D,Rectifier diode 50 V 1 A,1N4001,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4001 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=50)

*D,Rectifier diode 100 V 1 A,1N4002,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4002 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=100)

*D,Rectifier diode 200 V 1 A,1N4003,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4003 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=200)

*D,Rectifier diode 400 V 1 A,1N4004,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4004 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=400)

*D,Rectifier diode 600 V 1 A,1N4005,STD,2,1
