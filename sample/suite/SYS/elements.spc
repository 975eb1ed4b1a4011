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
1,Area
2,Temperature (°C)
.MODEL 1N4005 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=600)

*D,Rectifier diode 800 V 1 A,1N4006,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4006 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=800)

*D,Rectifier diode 1000 V 1 A,1N4007,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4007 D(IS=14.11N N=1.984 RS=33.89M CJO=25.89P BV=1000)

*D,Switching diode,1N4148,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4148 D(IS=2.52N RS=0.568 N=1.752 CJO=4P TT=20N BV=100)

*D,Rectifier diode 1000 V 3 A,1N5408,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N5408 D(IS=63N RS=14M N=1.7 CJO=53P BV=1000)

*D,Schottky diode 20 V 1 A,1N5817,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N5817 D(IS=31.7U RS=51M N=1.373 CJO=190P BV=20)

*D,Schottky diode 40 V 1 A,1N5819,STD,2,1
1,Area
2,Temperature (°C)
.MODEL 1N5819 D(IS=31.7U RS=51M N=1.373 CJO=190P BV=40)

*D,Schottky diode 30 V 200 mA,BAT54,STD,2,1
1,Area
2,Temperature (°C)
.MODEL BAT54 D(IS=2.3U RS=0.9 N=1.05 CJO=10P BV=30)

*D,Zener diode 5.1 V,1N4733,ZENER,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4733 D(IS=1.1N RS=2 BV=5.1 IBV=49M)

*D,Zener diode 12 V,1N4742,ZENER,2,1
1,Area
2,Temperature (°C)
.MODEL 1N4742 D(IS=1.1N RS=2 BV=12 IBV=21M)

*D,Zener diode 5.1 V 500 mW,BZX55C5V1,ZENER,2,1
1,Area
2,Temperature (°C)
.MODEL BZX55C5V1 D(IS=1N RS=5 BV=5.1 IBV=5M)

*D,Zener diode 3.3 V 500 mW,BZX79C3V3,ZENER,2,1
1,Area
2,Temperature (°C)
.MODEL BZX79C3V3 D(IS=1N RS=5 BV=3.3 IBV=5M)

*D,Zener diode 5.1 V 250 mW,BZX84C5V1,ZENER,2,1
1,Area
2,Temperature (°C)
.MODEL BZX84C5V1 D(IS=1N RS=5 BV=5.1 IBV=5M)

*D,Generic diode,DMOD,STD,2,1
1,Area
2,Temperature (°C)
.MODEL DMOD D(IS=1E-14)

*D,Generic Schottky diode,DSCHOTTKY,STD,2,1
1,Area
2,Temperature (°C)
.MODEL DSCHOTTKY D(IS=1E-8 N=1.05)

*D,Generic Zener diode,DZENER,STD,2,1
1,Area
2,Temperature (°C)
.MODEL DZENER D(IS=1E-14 BV=5.6 IBV=1M)

*D,Generic light emitting diode,LED,STD,2,1
1,Area
2,Temperature (°C)
.MODEL LED D(IS=1E-22 N=1.5 RS=2)

*D,Green LED,LED_GREEN,STD,2,1
1,Area
2,Temperature (°C)
.MODEL LED_GREEN D(IS=93.2P N=3.73 RS=42M)

*D,Infrared emitter,LED_IR,STD,2,1
1,Area
2,Temperature (°C)
.MODEL LED_IR D(IS=1E-18 N=1.3 RS=0.8)

*D,Red LED,LED_RED,STD,2,1
1,Area
2,Temperature (°C)
.MODEL LED_RED D(IS=93.2P N=3.07 RS=42M)

*D,Yellow LED,LED_YELLOW,STD,2,1
1,Area
2,Temperature (°C)
.MODEL LED_YELLOW D(IS=93.2P N=3.42 RS=42M)

*Q,NPN switching transistor,2N2222,NPN,1,1
1,Area
.MODEL 2N2222 NPN(IS=14.34F BF=255.9 VAF=74.03 IKF=0.2847)

*Q,NPN general-purpose transistor,2N3904,NPN,1,1
1,Area
.MODEL 2N3904 NPN(IS=6.734F BF=416.4 VAF=74.03 IKF=66.78M)

*Q,NPN transistor 800 mA,BC337,NPN,1,1
1,Area
.MODEL BC337 NPN(IS=41.9F BF=240 VAF=70 IKF=0.3)

*Q,NPN small-signal transistor,BC547B,NPN,1,1
1,Area
.MODEL BC547B NPN(IS=7.049F BF=374.6 VAF=62.79 IKF=82.15M)

*Q,"NPN small-signal transistor, SMD",BC847B,NPN,1,1
1,Area
.MODEL BC847B NPN(IS=7.049F BF=374.6 VAF=62.79 IKF=82.15M)

*Q,NPN medium-power transistor,BD139,NPN,1,1
1,Area
.MODEL BD139 NPN(IS=1E-13 BF=150 VAF=100 IKF=1.5)

*Q,Phototransistor of an optocoupler,PHOTO,NPN,1,1
1,Area
.MODEL PHOTO NPN(IS=1E-14 BF=500)

*Q,Generic NPN transistor,QNPN,NPN,1,1
1,Area
.MODEL QNPN NPN(IS=1E-16 BF=100)

*Q,NPN power transistor 3 A,TIP31C,NPN,1,1
1,Area
.MODEL TIP31C NPN(IS=1.8E-12 BF=110 VAF=100 IKF=3)

*Q,PNP general-purpose transistor,2N3906,PNP,1,1
1,Area
.MODEL 2N3906 PNP(IS=1.41F BF=180.7 VAF=18.7 IKF=80M)

*Q,PNP small-signal transistor,BC557B,PNP,1,1
1,Area
.MODEL BC557B PNP(IS=10.2F BF=290 VAF=40 IKF=0.1)

*Q,"PNP small-signal transistor, SMD",BC857B,PNP,1,1
1,Area
.MODEL BC857B PNP(IS=10.2F BF=290 VAF=40 IKF=0.1)

*Q,Generic PNP transistor,QPNP,PNP,1,1
1,Area
.MODEL QPNP PNP(IS=1E-16 BF=100)

*M,N-channel enhancement MOSFET 60 V,2N7000,NMOS,2,1
1,L
2,W
.MODEL 2N7000 NMOS(VTO=2.1 KP=0.12)

*M,"N-channel MOSFET 60 V, SMD",2N7002,NMOS,2,1
1,L
2,W
.MODEL 2N7002 NMOS(VTO=2.1 KP=0.12)

*M,N-channel MOSFET 60 V 500 mA,BS170,NMOS,2,1
1,L
2,W
.MODEL BS170 NMOS(VTO=1.8 KP=0.15)

*M,N-channel logic-level MOSFET,BSS138,NMOS,2,1
1,L
2,W
.MODEL BSS138 NMOS(VTO=1.3 KP=0.2)

*M,N-channel power MOSFET 100 V,IRF540,NMOS,2,1
1,L
2,W
.MODEL IRF540 NMOS(VTO=3.5 KP=20)

*M,N-channel logic-level power MOSFET,IRLZ44,NMOS,2,1
1,L
2,W
.MODEL IRLZ44 NMOS(VTO=1.5 KP=25)

*M,Generic N-channel MOSFET,NMOS,NMOS,2,1
1,L
2,W
.MODEL NMOS NMOS(VTO=1 KP=2E-5)

*M,"P-channel MOSFET 30 V, SMD",AO3401,PMOS,2,1
1,L
2,W
.MODEL AO3401 PMOS(VTO=-0.9 KP=5)

*M,P-channel power MOSFET 100 V,IRF9540,PMOS,2,1
1,L
2,W
.MODEL IRF9540 PMOS(VTO=-3.5 KP=8)

*M,Generic P-channel MOSFET,PMOS,PMOS,2,1
1,L
2,W
.MODEL PMOS PMOS(VTO=-1 KP=1E-5)

*J,N-channel JFET,2N5457,NJF,1,1
1,Area
.MODEL 2N5457 NJF(VTO=-1.8 BETA=1.1M)

*J,P-channel JFET,2N5460,PJF,1,1
1,Area
.MODEL 2N5460 PJF(VTO=1.8 BETA=1M)

*V,DC voltage source,VSRC,DC,1,1
1,Voltage
V%n %1 %2 DC {Voltage}

*V,Pulse voltage source,VSRC,PULSE,7,2
1,Initial value
2,Pulsed value
3,Delay
4,Rise time
5,Fall time
6,Pulse width
7,Period
V%n %1 %2 PULSE({Initial value} {Pulsed value} {Delay}
+ {Rise time} {Fall time} {Pulse width} {Period})

*V,Sine voltage source,VSRC,SIN,3,1
1,Offset
2,Amplitude
3,Frequency
V%n %1 %2 SIN({Offset} {Amplitude} {Frequency})

*I,DC current source,ISRC,DC,1,1
1,Current
I%n %1 %2 DC {Current}

*I,Pulse current source,ISRC,PULSE,3,1
1,Initial value
2,Pulsed value
3,Period
I%n %1 %2 PULSE({Initial value} {Pulsed value} 0 1N 1N {Period})

*E,Voltage-controlled voltage source,VCVS,STD,1,1
1,Gain
E%n %1 %2 %3 %4 {Gain}

*F,Current-controlled current source,CCCS,STD,2,1
1,Controlling source
2,Gain
F%n %1 %2 {Controlling source} {Gain}

*G,Voltage-controlled current source,VCCS,STD,1,1
1,Transconductance
G%n %1 %2 %3 %4 {Transconductance}

*H,Current-controlled voltage source,CCVS,STD,2,1
1,Controlling source
2,Transresistance
H%n %1 %2 {Controlling source} {Transresistance}

*X,Subcircuit call,SUBCKT,library,0,0

*A,"AND gate, 4000-series CMOS",D_AND,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_AND_CMOS d_and(TPLH=60N TPHL=60N)

*A,"AND gate, 74HC high-speed CMOS",D_AND,HC,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_AND_HC d_and(TPLH=9N TPHL=9N)

*A,"AND gate, 74LS low-power Schottky TTL",D_AND,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_AND_LS d_and(TPLH=9N TPHL=10N)

*A,"AND gate, standard TTL",D_AND,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_AND_STD d_and(TPLH=11N TPHL=7N)

*A,"Buffer, 4000-series CMOS",D_BUFFER,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_BUFFER_CMOS d_buffer(TPLH=60N TPHL=60N)

*A,"D flip-flop, 4000-series CMOS",D_DFF,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_DFF_CMOS d_dff(TPLH=60N TPHL=60N)

*A,"D flip-flop, 74HC high-speed CMOS",D_DFF,HC,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_DFF_HC d_dff(TPLH=9N TPHL=9N)

*A,"D flip-flop, 74LS low-power Schottky TTL",D_DFF,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_DFF_LS d_dff(TPLH=9N TPHL=10N)

*A,"D flip-flop, standard TTL",D_DFF,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_DFF_STD d_dff(TPLH=11N TPHL=7N)

*A,"Inverter, 4000-series CMOS",D_INVERTER,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_INVERTER_CMOS d_inverter(TPLH=60N TPHL=60N)

*A,"Inverter, 74HC high-speed CMOS",D_INVERTER,HC,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_INVERTER_HC d_inverter(TPLH=9N TPHL=9N)

*A,"Inverter, 74HCT TTL-compatible CMOS",D_INVERTER,HCT,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_INVERTER_HCT d_inverter(TPLH=11N TPHL=11N)

*A,"Inverter, 74LS low-power Schottky TTL",D_INVERTER,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_INVERTER_LS d_inverter(TPLH=9N TPHL=10N)

*A,"Inverter, Schmitt-trigger input",D_INVERTER,SCHMITT,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_INVERTER_SCHMITT d_inverter(TPLH=15N TPHL=15N)

*A,"Inverter, standard TTL",D_INVERTER,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_INVERTER_STD d_inverter(TPLH=11N TPHL=7N)

*A,"J-K flip-flop, 74LS low-power Schottky TTL",D_JKFF,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_JKFF_LS d_jkff(TPLH=9N TPHL=10N)

*A,"J-K flip-flop, standard TTL",D_JKFF,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_JKFF_STD d_jkff(TPLH=11N TPHL=7N)

*A,"NAND gate, 4000-series CMOS",D_NAND,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NAND_CMOS d_nand(TPLH=60N TPHL=60N)

*A,"NAND gate, 74HC high-speed CMOS",D_NAND,HC,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NAND_HC d_nand(TPLH=9N TPHL=9N)

*A,"NAND gate, 74HCT TTL-compatible CMOS",D_NAND,HCT,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NAND_HCT d_nand(TPLH=11N TPHL=11N)

*A,"NAND gate, 74LS low-power Schottky TTL",D_NAND,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NAND_LS d_nand(TPLH=9N TPHL=10N)

*A,"NAND gate, Schmitt-trigger input",D_NAND,SCHMITT,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NAND_SCHMITT d_nand(TPLH=15N TPHL=15N)

*A,"NAND gate, standard TTL",D_NAND,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NAND_STD d_nand(TPLH=11N TPHL=7N)

*A,"NOR gate, 4000-series CMOS",D_NOR,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NOR_CMOS d_nor(TPLH=60N TPHL=60N)

*A,"NOR gate, 74LS low-power Schottky TTL",D_NOR,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NOR_LS d_nor(TPLH=9N TPHL=10N)

*A,"NOR gate, standard TTL",D_NOR,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_NOR_STD d_nor(TPLH=11N TPHL=7N)

*A,"OR gate, 4000-series CMOS",D_OR,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_OR_CMOS d_or(TPLH=60N TPHL=60N)

*A,"OR gate, 74HC high-speed CMOS",D_OR,HC,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_OR_HC d_or(TPLH=9N TPHL=9N)

*A,"OR gate, 74LS low-power Schottky TTL",D_OR,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_OR_LS d_or(TPLH=9N TPHL=10N)

*A,"OR gate, standard TTL",D_OR,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_OR_STD d_or(TPLH=11N TPHL=7N)

*A,"3-state buffer, 74HC high-speed CMOS",D_TRISTATE,HC,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_TRISTATE_HC d_tristate(TPLH=9N TPHL=9N)

*A,"3-state buffer, 74LS low-power Schottky TTL",D_TRISTATE,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_TRISTATE_LS d_tristate(TPLH=9N TPHL=10N)

*A,"3-state buffer, standard TTL",D_TRISTATE,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_TRISTATE_STD d_tristate(TPLH=11N TPHL=7N)

*A,"Exclusive-OR gate, 4000-series CMOS",D_XOR,CMOS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_XOR_CMOS d_xor(TPLH=60N TPHL=60N)

*A,"Exclusive-OR gate, 74LS low-power Schottky TTL",D_XOR,LS,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_XOR_LS d_xor(TPLH=9N TPHL=10N)

*A,"Exclusive-OR gate, standard TTL",D_XOR,STD,3,1
1,Rise delay
2,Fall delay
3,Input load
.MODEL D_XOR_STD d_xor(TPLH=11N TPHL=7N)
