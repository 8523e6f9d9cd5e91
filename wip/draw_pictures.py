import struct,sys
def bmp(path, rows, palette):
    h=len(rows); w=len(rows[0])
    data=b''
    for r in reversed(rows):
        line=b''.join(bytes(reversed(palette[c])) for c in r)
        line+=b'\0'*((4-len(line)%4)%4)
        data+=line
    hdr=struct.pack('<2sIHHI',b'BM',54+len(data),0,0,54)
    info=struct.pack('<IiiHHIIiiII',40,w,h,1,24,0,len(data),2835,2835,0,0)
    open(path,'wb').write(hdr+info+data)
pal={'.':(239,239,239),'#':(64,64,64),'w':(255,255,255),'b':(40,90,170),'r':(200,40,40),'g':(128,128,128)}
opcje=[
"....................",
"..################..",
"..#wwwwwwwwwwwwww#..",
"..#wwwwwwwwwwwwww#..",
"..#w###wwwwwwwwww#..",
"..#w#b#w#######ww#..",
"..#w###wwwwwwwwww#..",
"..#wwwwwwwwwwwwww#..",
"..#w###wwwwwwwwww#..",
"..#w#b#w#####www#..".ljust(20,'.')[:20],
"..#w###wwwwwwwwww#..",
"..#wwwwwwwwwwwwww#..",
"..#w###wwwwwwwwww#..",
"..#w#w#w######www#..",
"..#w###wwwwwwwwww#..",
"..#wwwwwwwwwwwwww#..",
"..#wwwwwwwwwwwwww#..",
"..################..",
"....................",
"....................",
]
opcje[9]="..#w#b#w#####wwww#.."
usun=["."*20]*20
usun=[list(r) for r in usun]
for i in range(4,16):
    for d in (0,1):
        if 0<=i+d<20:
            usun[i][i+d]='r'; usun[i][19-i-d]='r'
usun=[''.join(r) for r in usun]
for r in opcje+usun: assert len(r)==20,(r,len(r))
bmp('opcje.bmp',opcje,pal); bmp('usun.bmp',usun,pal)
