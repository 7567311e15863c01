Object
{
	mName : FloodCube
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : -10
				z_ : 0
			}
		}
	}
	Renderable
	{
		m_BlendFactors : 		MetaVec4
		{
			w_ : 1
			x_ : 0.75
			y_ : 0.75
			z_ : 0.75
		}
		m_Color : 		MetaVec4
		{
			w_ : 0.6
			x_ : 0.1
			y_ : 0.3
			z_ : 0.8
		}
		m_ModelName : floodwater
		m_ShaderName : defaultshader
		m_TextureName : water 
		m_Transparent : 1
		m_Visible : 1
	}
}

